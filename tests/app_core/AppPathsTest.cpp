#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "app/core/AppPaths.h"
#include "fakes/TempDir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(AppPaths, AppDirectoryIsTheExecutablesOwnDirectoryWithItsShippedData) {
    const std::string dir = GetAppDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(fs::path(dir).parent_path(), fs::read_symlink("/proc/self/exe").parent_path());
    // The current directory plays no part.
    const fs::path before = fs::current_path();
    TempDir elsewhere;
    fs::current_path(elsewhere.Path());
    EXPECT_EQ(GetAppDirectory(), dir);
    fs::current_path(before);
    // Shipped data is found beside it (the build copies it there).
    EXPECT_EQ(ShippedDataPath("help/index.html"), dir + "help/index.html");
    EXPECT_TRUE(fs::exists(DefaultAlarmSound())) << DefaultAlarmSound();
    EXPECT_EQ(ShippedDataPath("no/such/file"), dir + "no/such/file");
}

TEST(AppPaths, SettingsStayBesideAWritableApplicationDirectory) {
    TempDir app;
    EXPECT_EQ(SettingsDirectoryFor(app.Path() + "/"), app.Path() + "/");
    // The build tree is writable, so the program's files live beside it.
    EXPECT_EQ(SettingsFilePath(), GetAppDirectory() + "Velmora.ini");
    EXPECT_EQ(ProcessListFile(), GetAppDirectory() + "Process.ini");
}

TEST(AppPaths, SettingsMoveToTheConfigDirectoryWhenTheApplicationDirectoryIsNotWritable) {
    TempDir config;
    TempDir home;
    const std::string oldXdg = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
    const std::string oldHome = getenv("HOME") ? getenv("HOME") : "";

    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    const std::string dir = SettingsDirectoryFor("/nonexistent/velmora/bin/");
    EXPECT_EQ(dir, config.Path() + "/velmora/");
    EXPECT_TRUE(fs::is_directory(dir)) << "created for the first save";

    // A relative XDG_CONFIG_HOME is ignored, as the base directory rules say.
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    setenv("HOME", home.Path().c_str(), 1);
    EXPECT_EQ(SettingsDirectoryFor("/nonexistent/velmora/bin/"), home.Path() + "/.config/velmora/");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsDirectoryFor("/nonexistent/velmora/bin/"), home.Path() + "/.config/velmora/");
    // A HOME written with a trailing slash gives the same directory.
    setenv("HOME", (home.Path() + "/").c_str(), 1);
    EXPECT_EQ(SettingsDirectoryFor("/nonexistent/velmora/bin/"), home.Path() + "/.config/velmora/");

    setenv("HOME", oldHome.c_str(), 1);
    if (!oldXdg.empty()) {
        setenv("XDG_CONFIG_HOME", oldXdg.c_str(), 1);
    }
}

}  // namespace
}  // namespace velmora
