#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "app/core/AppPaths.h"
#include "fakes/TempDir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(AppPaths, AppDirectoryIsTheExecutablesOwnWithItsShippedData) {
    const std::string dir = GetAppDirectory();
    EXPECT_EQ(dir, fs::read_symlink("/proc/self/exe").parent_path().string() + "/");
    EXPECT_EQ(ShippedDataPath("help/index.html"), dir + "help/index.html");
    EXPECT_TRUE(fs::exists(DefaultAlarmSound())) << DefaultAlarmSound();
    EXPECT_EQ(ShippedDataPath("no/such/file"), dir + "no/such/file");
    test::TempDir app;
    EXPECT_EQ(SettingsDirectoryFor(app.Path() + "/"), app.Path() + "/");
}

TEST(AppPaths, SettingsMoveToTheConfigDirectoryWhenTheApplicationDirectoryIsNotWritable) {
    test::TempDir config, home;
    const std::string unwritable = "/nonexistent/velmora/bin/";
    const std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    EXPECT_EQ(SettingsDirectoryFor(unwritable), config.Path() + "/velmora/");
    EXPECT_TRUE(fs::is_directory(config.Path() + "/velmora/")) << "created for the first save";
    // A relative XDG_CONFIG_HOME is ignored; HOME may end in a slash.
    for (const std::string& xdgHome : {std::string("relative/config"), std::string()}) {
        for (const std::string& homeValue : {home.Path(), home.Path() + "/"}) {
            setenv("XDG_CONFIG_HOME", xdgHome.c_str(), 1);
            setenv("HOME", homeValue.c_str(), 1);
            EXPECT_EQ(SettingsDirectoryFor(unwritable), home.Path() + "/.config/velmora/");
        }
    }
    setenv("HOME", oldHome.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace velmora
