#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <algorithm>

#include "fakes/Fakes.h"
#include "fakes/TempDir.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform/linux/player/QtAlarmPlayer.h"
#include "scheduler/core/KillReport.h"
#include "support/Subprocess.h"

namespace velmora::test {
namespace {

// A child of this test's own running `path 60`, once its kernel name is `comm`.
std::unique_ptr<Subprocess> Start(const std::string& path, const std::string& comm) {
    auto child = std::make_unique<Subprocess>(std::vector<std::string>{path, "60"});
    const std::string file = "/proc/" + std::to_string(child->Pid()) + "/comm";
    for (int i = 0; i < 5000 && ReadFile(file) != comm + "\n"; ++i) {
        usleep(1000);
    }
    return child;
}

TEST(ExactKill, SignalsOnlyTheProcessTheSnapshotSaw) {
    const auto earlier = Start("/bin/sleep", "sleep");
    usleep(30000);  // a few of the kernel's clock ticks
    const auto child = Start("/bin/sleep", "sleep");
    ProcProcessTable table;
    const auto snapshot = table.Snapshot();
    const auto seen = std::ranges::find(snapshot, child->Pid(), &ProcessEntry::pid);
    const auto other = std::ranges::find(snapshot, earlier->Pid(), &ProcessEntry::pid);
    ASSERT_TRUE(seen != snapshot.end() && other != snapshot.end());
    // As if the snapshot had seen the earlier process under the child's pid,
    // which then went to the child.
    ProcessEntry reused = *seen;
    reused.startTime = other->startTime;
    EXPECT_FALSE(table.Terminate(reused) || table.Terminate(ProcessEntry{}));
    EXPECT_FALSE(child->WaitFor(std::chrono::milliseconds(0)));
    EXPECT_TRUE(table.Terminate(*seen));
    EXPECT_TRUE(child->WaitFor(std::chrono::seconds(5)) && WTERMSIG(child->Status()) == SIGKILL);
}

// Two scripts whose names share the kernel's first 15 bytes are told apart,
// so listing one ends only that one.
TEST(ExactKill, ScriptsAreNamedAfterTheirOwnFiles) {
    TempDir dir;
    const std::string stem = "vlm-" + dir.Path().substr(dir.Path().size() - 6) + "-long";
    for (const char* which : {"alpha.sh", "bravo.sh"}) {
        WriteFile(dir.File(stem + which), "#!/bin/sh\nkill -STOP $$\n");
        chmod(dir.File(stem + which).c_str(), 0755);
    }
    const auto alpha = Start(dir.File(stem + "alpha.sh"), stem);
    const auto bravo = Start(dir.File(stem + "bravo.sh"), stem);
    ProcProcessTable table;
    EXPECT_EQ(
        KillListedProcesses({stem + "alpha.sh"}, table.Snapshot(), table),
        "PROCESSES TERMINATION REPORT\n\nProcess: " + stem + "alpha.sh, Status: Terminated\n");
    EXPECT_FALSE(bravo->WaitFor(std::chrono::milliseconds(100)));
}

// A FIFO is reported once as unplayable and never handed to the player,
// which would block the window opening it.
TEST(ExactKill, AlarmFifoIsReportedAndNeverOpened) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    TempDir dir;
    mkfifo(dir.File("alarm.mp3").c_str(), 0600);
    FakePrompt prompt;
    QtAlarmPlayer alarm(prompt);
    ::alarm(10);  // a player blocked opening the FIFO ends the test
    alarm.Play(dir.File("alarm.mp3"));
    for (int i = 0; i < 100; ++i) {  // a second's time for the report, and for a second one
        QCoreApplication::processEvents();
        usleep(10000);
    }
    ::alarm(0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "\"" + dir.File("alarm.mp3") + "\" is not a regular file.");
    EXPECT_FALSE(alarm.IsOpen());
}

}  // namespace
}  // namespace velmora::test
