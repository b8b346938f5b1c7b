// Starts the real program as a user would and reads the settings file it
// leaves behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "fakes/TempDir.h"
#include "support/VelmoraProcess.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Waits until the settings file was replaced (it is replaced in one step, so
// once it is there it is complete); false when the program ended first.
bool WaitForSave(const std::string& path, test::Subprocess& app) {
    const auto before = fs::exists(path) ? fs::last_write_time(path) : fs::file_time_type();
    for (int i = 0; i < 1000 && !app.WaitFor(0ms); ++i) {
        if (fs::exists(path) && fs::last_write_time(path) != before) {
            return true;
        }
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

TEST(FirstStart, StartedThroughPathFromElsewhereCreatesItsSettingsBesideItself) {
    test::TempDir bin;
    test::TempDir cwd;
    test::InstallVelmoraCopy(bin.Path());
    const std::string path = bin.Path() + ":" + (getenv("PATH") ? getenv("PATH") : "/usr/bin");
    // "-tray", as the autostart entry passes it, changes nothing.
    for (std::vector<std::string> argv :
         {std::vector<std::string>{"velmora"}, {"velmora", "-tray"}}) {
        fs::remove(bin.File("Velmora.ini"));
        auto app = test::StartVelmora(argv, cwd.Path(), {{"PATH", path}});
        ASSERT_TRUE(WaitForSave(bin.File("Velmora.ini"), *app));
        EXPECT_EQ(test::ReadFile(bin.File("Velmora.ini")),
                  "[General Settings]\r\nAlarmSound=" + bin.Path() + "/Sound/Wake up.mp3\r\n\r\n");
        EXPECT_FALSE(fs::exists(cwd.File("Velmora.ini")));
        EXPECT_FALSE(app->WaitFor(200ms)) << "the window stays up until it is closed";
    }
}

TEST(FirstStart, KeepsAChosenAlarmButRewritesTheFile) {
    test::TempDir dir;
    const std::string exe = test::InstallVelmoraCopy(dir.Path());
    test::WriteFile(dir.File("Velmora.ini"),
                    "# mine\n[General Settings]\nAlarmSound=/music/rooster.wav\nAction=3\n");
    std::this_thread::sleep_for(20ms);
    auto app = test::StartVelmora({exe}, dir.Path());
    ASSERT_TRUE(WaitForSave(dir.File("Velmora.ini"), *app));
    EXPECT_EQ(
        test::ReadFile(dir.File("Velmora.ini")),
        "; mine\r\n\r\n[General Settings]\r\nAlarmSound=/music/rooster.wav\r\nAction=3\r\n\r\n");
}

}  // namespace
}  // namespace velmora
