// The whole program, as started by a user: a "Kill processes" schedule armed
// in the settings file a few seconds ahead ends the test's own child process
// within the target second.
#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "fakes/TempDir.h"
#include "support/VelmoraProcess.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

std::int64_t NowMs() {
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Settings that arm "Kill processes" (action 6) at the given local second.
std::string ArmedSettings(time_t target) {
    tm local{};
    localtime_r(&target, &local);
    return "[General Settings]\r\nAlarmSound=unused.mp3\r\nIsEnabled=1\r\n"
           "Year=" +
           std::to_string(local.tm_year + 1900) + "\r\nMonth=" + std::to_string(local.tm_mon + 1) +
           "\r\nDay=" + std::to_string(local.tm_mday) +
           "\r\nHour=" + std::to_string(local.tm_hour) + "\r\nMin=" + std::to_string(local.tm_min) +
           "\r\nSec=" + std::to_string(local.tm_sec) + "\r\nAction=6\r\n\r\n";
}

TEST(KillScheduleEndToEnd, TheArmedProgramEndsTheListedChildWithinTheTargetSecond) {
    test::TempDir dir;
    const std::string exe = test::InstallVelmoraCopy(dir.Path());
    // A child of the test's own, under a name nothing else on the machine has.
    const std::string name = "vlm-e2e-" + std::to_string(getpid());
    fs::copy_file("/bin/sleep", dir.File(name));
    test::Subprocess victim({dir.File(name), "120"});

    test::WriteFile(dir.File("Process.ini"), "[Processes]\r\nFile0=" + name + "\r\n\r\n");
    const time_t target = static_cast<time_t>(NowMs() / 1000) + 4;
    const std::int64_t targetMs = static_cast<std::int64_t>(target) * 1000;
    test::WriteFile(dir.File("Velmora.ini"), ArmedSettings(target));

    auto app = test::StartVelmora({exe}, dir.Path());
    ASSERT_FALSE(victim.WaitFor(milliseconds(targetMs - NowMs() - 300))) << "ended too early";
    ASSERT_TRUE(victim.WaitFor(seconds(5))) << "the schedule did not fire";
    const std::int64_t late = NowMs() - targetMs;
    EXPECT_TRUE(WIFSIGNALED(victim.Status()) && WTERMSIG(victim.Status()) == SIGKILL);
    EXPECT_TRUE(late >= 0 && late < 1000)
        << "ended " << late << " ms after the target second began";

    // The program keeps running (its report waits for OK) and the schedule
    // stays armed in the settings file.
    EXPECT_FALSE(app->WaitFor(milliseconds(0)));
    EXPECT_NE(test::ReadFile(dir.File("Velmora.ini")).find("IsEnabled=1"), std::string::npos);
}

}  // namespace
}  // namespace velmora
