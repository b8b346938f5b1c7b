#include <gtest/gtest.h>

#include "fakes/FakeScheduleEnv.h"

namespace velmora {
namespace {

const std::string kHeading = "PROCESSES TERMINATION REPORT\n\n";
const std::string kNone = "None of the selected processes running at this time!";

class ProcessKill : public ::testing::Test {
protected:
    // Runs "Kill Processes Now" answered Yes and returns the last message.
    std::string KillNow() {
        e.prompt.AnswerYes();
        e.core.HandleCommand(ID_KILL_NOW);
        return e.prompt.LastText();
    }
    test::FakeScheduleEnv e;
};

TEST_F(ProcessKill, EveryInstanceOfAnExactNameIsTerminatedAndReported) {
    e.processes.entries[0].name = "notepad.exe";  // the idle entry is never compared
    e.processes.Add(100, "notepad.exe");
    e.processes.Add(101, "NOTEPAD.EXE");
    e.processes.Add(102, "notepad.exe");
    e.processes.Add(103, "locked.exe");
    e.processes.failing.insert(103);
    e.processes.Add(0, "odd");  // pids 0 and below address groups: never signalled
    e.processes.Add(-1, "odd");
    e.SetProcessList({"notepad.exe", "locked.exe", "absent.exe", "odd"});
    EXPECT_EQ(KillNow(), kHeading +
                             "Process: notepad.exe, Status: Terminated\n"
                             "Process: notepad.exe, Status: Terminated\n"
                             "Process: locked.exe, Status: Error\n"
                             "Process: odd, Status: Error\nProcess: odd, Status: Error\n");
    EXPECT_EQ(e.processes.terminated, (std::vector<int>{100, 102, 103}));
    EXPECT_EQ(e.prompt.shown.back().kind, test::FakePrompt::Kind::Information);
}

TEST_F(ProcessKill, LetterCaseGapsAndRepeatsFollowTheListFile) {
    e.processes.Add(100, "notepad.exe");
    e.SetProcessList({"NOTEPAD.EXE"});
    EXPECT_EQ(KillNow(), kHeading + kNone);
    EXPECT_TRUE(e.processes.terminated.empty());

    // File1 is missing: File2 is never read.
    e.Write(e.ProcessListFile(), "[Processes]\nFile0=notepad.exe\nFile2=other.exe\n");
    EXPECT_EQ(e.core.CountSelectedProcesses(), 1);
    EXPECT_EQ(e.core.ReadProcessList(), std::vector<std::string>{"notepad.exe"});

    // A name listed twice is matched twice against the one snapshot; the
    // second attempt finds the process gone.
    e.processes.Add(101, "notepad.exe");
    e.SetProcessList({"notepad.exe", "notepad.exe"});
    EXPECT_EQ(KillNow(), kHeading +
                             "Process: notepad.exe, Status: Terminated\n"
                             "Process: notepad.exe, Status: Terminated\n"
                             "Process: notepad.exe, Status: Error\n"
                             "Process: notepad.exe, Status: Error\n");
}

TEST_F(ProcessKill, KillNowAsksAndRefusesAnEmptyList) {
    e.processes.Add(100, "notepad.exe");
    e.SetProcessList({"notepad.exe"});
    e.core.HandleCommand(ID_KILL_NOW);  // answered No
    EXPECT_EQ(e.prompt.LastText(),
              "Are you sure you want to Kill the selected processes on your system Now?");
    EXPECT_TRUE(e.processes.terminated.empty());

    e.SetProcessList({});
    EXPECT_EQ(KillNow(),
              "There is no selected processes on the list!\nPlease select processes and try "
              "again.");
    EXPECT_EQ(e.prompt.shown.back().kind, test::FakePrompt::Kind::Stop);

    // A snapshot that cannot be taken matches nothing.
    e.SetProcessList({"notepad.exe"});
    e.processes.snapshotFails = true;
    EXPECT_EQ(KillNow(), kHeading + kNone);
}

TEST_F(ProcessKill, StatisticsLabelsOnEveryTick) {
    e.processes.Add(1, "init", 1);
    e.processes.Add(200, "worker", 10);
    e.SetProcessList({"a", "b"});
    e.core.OnTick(kClockTimer);
    EXPECT_EQ(e.view.Text(IDC_RUNNING_PROCESSES), "Running processes: 3");
    EXPECT_EQ(e.view.Text(IDC_THREADS_RUNNING), "Threads running: 12");
    EXPECT_EQ(e.view.Text(IDC_PROCESSES_FOR_TERMINATION), "Processes for termination: 2");
}

}  // namespace
}  // namespace velmora
