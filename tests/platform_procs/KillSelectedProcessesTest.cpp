#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "OwnChildren.h"
#include "fakes/FakeAlarm.h"
#include "fakes/FakeClock.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeSession.h"
#include "fakes/FakeView.h"
#include "fakes/TempDir.h"
#include "platform/linux/ProcProcessTable.h"
#include "scheduler/core/ScheduleCore.h"

namespace velmora::test {
namespace {

constexpr const char* kHeading = "PROCESSES TERMINATION REPORT\n\n";
constexpr const char* kNoneRunning = "None of the selected processes running at this time!";

// The schedule over the real process table, with its settings files in a
// temporary directory and the window, prompt, session and alarm faked.
struct KillFixture : ::testing::Test {
    void WriteList(const std::string& body) {
        std::ofstream(dir.File("Process.ini")) << "[Processes]\n" << body;
    }
    // Runs the action and returns the one report it showed.
    std::string Kill() {
        prompt.shown.clear();
        core.KillSelectedProcesses();
        EXPECT_EQ(prompt.shown.size(), 1u);
        if (prompt.shown.empty()) {
            return {};
        }
        EXPECT_EQ(prompt.shown[0].kind, FakePrompt::Kind::Information);
        return prompt.shown[0].text;
    }
    void ExpectKilled(pid_t pid) {
        const int status = kids.Reap(pid);
        EXPECT_TRUE(status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "pid " << pid;
    }

    OwnChildren kids;
    TempDir dir;
    FakeView view;
    FakeClock clock;
    FakePrompt prompt;
    FakeSession session;
    FakeAlarm alarm;
    ProcProcessTable table;
    ScheduleCore core{ScheduleServices{view, clock, prompt, session, table, alarm},
                      SchedulePaths{dir.File("Velmora.ini"), dir.File("Process.ini")}};
};

TEST_F(KillFixture, EveryInstanceOfAListedNameIsTerminatedAndReported) {
    const std::string twin = kids.Prefix() + "twin";
    const pid_t a = kids.StartSleepCopy(twin);
    const pid_t b = kids.StartSleepCopy(twin);
    const pid_t other = kids.StartSleepCopy(kids.Prefix() + "other");
    WriteList("File0=" + twin + "\n");

    EXPECT_EQ(Kill(), std::string(kHeading) + "Process: " + twin + ", Status: Terminated\n" +
                          "Process: " + twin + ", Status: Terminated\n");
    ExpectKilled(a);
    ExpectKilled(b);
    EXPECT_TRUE(kids.Running(other));

    // Nothing of that name is left to match.
    EXPECT_EQ(Kill(), std::string(kHeading) + kNoneRunning);
}

TEST_F(KillFixture, NamesMatchOnlyInTheirExactLetterCase) {
    const std::string name = kids.Prefix() + "cased";
    const pid_t pid = kids.StartSleepCopy(name);
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    WriteList("File0=" + upper + "\n");

    EXPECT_EQ(core.CountSelectedProcesses(), 1);
    EXPECT_EQ(Kill(), std::string(kHeading) + kNoneRunning);
    EXPECT_TRUE(kids.Running(pid));
}

TEST_F(KillFixture, TheListEndsAtTheFirstMissingKey) {
    const std::string first = kids.Prefix() + "first";
    const std::string third = kids.Prefix() + "third";
    const pid_t firstPid = kids.StartSleepCopy(first);
    const pid_t thirdPid = kids.StartSleepCopy(third);
    WriteList("File0=" + first + "\nFile2=" + third + "\n");

    EXPECT_EQ(core.CountSelectedProcesses(), 1);
    EXPECT_EQ(Kill(), std::string(kHeading) + "Process: " + first + ", Status: Terminated\n");
    ExpectKilled(firstPid);
    EXPECT_TRUE(kids.Running(thirdPid));
}

}  // namespace
}  // namespace velmora::test
