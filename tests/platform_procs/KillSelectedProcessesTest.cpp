#include <gtest/gtest.h>

#include "OwnChildren.h"
#include "fakes/FakeScheduleEnv.h"
#include "platform/linux/ProcProcessTable.h"

namespace velmora::test {
namespace {

// The action over the real process table, on this test's own children only.
TEST(KillSelectedProcesses, TerminatesEveryInstanceOfTheListedNames) {
    OwnChildren kids;
    FakeScheduleEnv e;  // its fakes, with the real table instead of the fake one
    ProcProcessTable table;
    ScheduleCore core{ScheduleServices{e.view, e.clock, e.prompt, e.session, table, e.alarm},
                      SchedulePaths{e.SettingsFile(), e.ProcessListFile()}};
    const auto kill = [&](const std::string& list) {
        WriteFile(e.ProcessListFile(), "[Processes]\n" + list);
        e.prompt.shown.clear();
        core.KillSelectedProcesses();
        EXPECT_EQ(e.prompt.shown.size(), 1u);
        EXPECT_EQ(e.prompt.shown.at(0).kind, FakePrompt::Kind::Information);
        return e.prompt.LastText();
    };
    const std::string heading = "PROCESSES TERMINATION REPORT\n\n";
    const std::string none = heading + "None of the selected processes running at this time!";
    const std::string twin = kids.Prefix() + "twin";
    const pid_t a = kids.Start(twin);
    const pid_t b = kids.Start(twin);
    const pid_t other = kids.Start(kids.Prefix() + "other");

    // The list ends at the first missing key: File2 is never read.
    const std::string list = "File0=" + twin + "\nFile2=" + kids.Prefix() + "other\n";
    const std::string line = "Process: " + twin + ", Status: Terminated\n";
    EXPECT_EQ(kill(list), heading + line + line);
    for (const pid_t pid : {a, b}) {
        const int status = kids.Reap(pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    }
    EXPECT_EQ(kill(list), none);
    // Names match only in their exact letter case.
    EXPECT_EQ(kill("File0=" + kids.Prefix() + "Other\n"), none);
    EXPECT_EQ(kids.Reap(other, WNOHANG), -1);  // still runs
}

}  // namespace
}  // namespace velmora::test
