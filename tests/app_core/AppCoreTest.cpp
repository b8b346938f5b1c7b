#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "app/core/AppPaths.h"
#include "app/core/DateTime.h"
#include "fakes/TempDir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string Text(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return FormatDateText(DateTime::FromFields(y, mo, d, h, mi, s), h + mi + s != 0);
}

// Leap years, days before the value's day 0, and invalid dates.
TEST(DateTime, Texts) {
    EXPECT_EQ(Text(2007, 1, 1) + "|" + Text(2000, 2, 29) + "|" + Text(2024, 2, 29),
              "Monday 01 January 2007|Tuesday 29 February 2000|Thursday 29 February 2024");
    EXPECT_EQ(Text(1899, 12, 29, 6, 0, 0) + "|" + Text(2100, 3, 1, 0, 0, 1),
              "Friday 29 December 1899 06:00:00|Monday 01 March 2100 00:00:01");
    for (const int year : {1900, 2023, 2100}) {
        EXPECT_EQ(Text(year, 2, 29), "Unknown -1 Unknown -1") << year;
    }
    EXPECT_EQ(FormatDateText(DateTime(), true), "Unknown -1 Unknown -1 -1:-1:-1");
}

// Shipped data is found beside the executable in the build tree. Settings
// live in the application directory while it is writable, else in the
// configuration directory: $XDG_CONFIG_HOME when absolute, else ~/.config.
TEST(AppPaths, ShippedDataAndTheSettingsDirectory) {
    const std::string dir = fs::read_symlink("/proc/self/exe").parent_path().string() + "/";
    EXPECT_EQ(DefaultAlarmSound(), dir + "Sound/Wake up.mp3");
    EXPECT_TRUE(fs::exists(DefaultAlarmSound()));
    EXPECT_EQ(ShippedDataPath("no/such/file"), dir + "no/such/file");
    test::TempDir app, config, home;
    EXPECT_EQ(SettingsDirectoryFor(app.Path() + "/"), app.Path() + "/");
    const std::string unwritable = "/nonexistent/velmora/bin/";
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    EXPECT_EQ(SettingsDirectoryFor(unwritable), config.Path() + "/velmora/");
    EXPECT_TRUE(fs::is_directory(config.Path() + "/velmora/")) << "created for the first save";
    for (const std::string& xdgHome : {std::string("relative/config"), std::string()}) {
        for (const std::string& homeValue : {home.Path(), home.Path() + "/"}) {
            setenv("XDG_CONFIG_HOME", xdgHome.c_str(), 1);
            setenv("HOME", homeValue.c_str(), 1);
            EXPECT_EQ(SettingsDirectoryFor(unwritable), home.Path() + "/.config/velmora/");
        }
    }
}

}  // namespace
}  // namespace velmora
