// Starts the real program as a user would and reads the settings file it
// leaves behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "fakes/TempDir.h"
#include "storage/IniFile.h"
#include "support/VelmoraProcess.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::TempDir;

// Waits until the program has written its settings file (it is replaced in
// one step, so once it exists it is complete).
bool WaitForFile(const std::string& path, test::Subprocess& app) {
    for (int i = 0; i < 1000 && !fs::exists(path); ++i) {
        if (app.WaitFor(0ms)) {
            return false;  // the program ended before writing
        }
        std::this_thread::sleep_for(10ms);
    }
    return fs::exists(path);
}

std::string AlarmSoundIn(const std::string& settingsFile) {
    IniFile ini(settingsFile);
    ini.Load();
    return ini.GetString("General Settings", "AlarmSound", "<missing>");
}

TEST(FirstStart, CreatesTheSettingsFileWithTheDefaultAlarmAndShowsTheWindow) {
    TempDir dir;
    const std::string exe = test::InstallVelmoraCopy(dir.Path());
    auto app = test::StartVelmora({exe}, dir.Path());
    ASSERT_TRUE(WaitForFile(dir.File("Velmora.ini"), *app));
    EXPECT_EQ(AlarmSoundIn(dir.File("Velmora.ini")), dir.Path() + "/Sound/Wake up.mp3");
    EXPECT_EQ(test::ReadFile(dir.File("Velmora.ini")),
              "[General Settings]\r\nAlarmSound=" + dir.Path() + "/Sound/Wake up.mp3\r\n\r\n");
    // The window stays up until the user closes it.
    EXPECT_FALSE(app->WaitFor(300ms));
}

TEST(FirstStart, KeepsAChosenAlarmButRewritesTheFile) {
    TempDir dir;
    const std::string exe = test::InstallVelmoraCopy(dir.Path());
    test::WriteFile(dir.File("Velmora.ini"),
                    "# mine\n[General Settings]\nAlarmSound=/music/rooster.wav\nAction=3\n");
    const auto before = fs::last_write_time(dir.File("Velmora.ini"));
    std::this_thread::sleep_for(20ms);
    auto app = test::StartVelmora({exe}, dir.Path());
    for (int i = 0; i < 1000 && fs::last_write_time(dir.File("Velmora.ini")) == before; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(
        test::ReadFile(dir.File("Velmora.ini")),
        "; mine\r\n\r\n[General Settings]\r\nAlarmSound=/music/rooster.wav\r\nAction=3\r\n\r\n");
}

TEST(FirstStart, StartedThroughPathFromElsewhereKeepsSettingsBesideItself) {
    TempDir bin;
    TempDir cwd;
    test::InstallVelmoraCopy(bin.Path());
    const std::string path = bin.Path() + ":" + (getenv("PATH") ? getenv("PATH") : "/usr/bin");
    // "-tray", as the autostart entry passes it, changes nothing.
    for (const char* arg : {"", "-tray"}) {
        SCOPED_TRACE(arg);
        fs::remove(bin.File("Velmora.ini"));
        std::vector<std::string> argv = {"velmora"};
        if (*arg != '\0') {
            argv.push_back(arg);
        }
        auto app = test::StartVelmora(argv, cwd.Path(), {{"PATH", path}});
        ASSERT_TRUE(WaitForFile(bin.File("Velmora.ini"), *app));
        EXPECT_FALSE(fs::exists(cwd.File("Velmora.ini")));
        EXPECT_EQ(AlarmSoundIn(bin.File("Velmora.ini")), bin.Path() + "/Sound/Wake up.mp3");
        EXPECT_FALSE(app->WaitFor(200ms));
    }
}

}  // namespace
}  // namespace velmora
