#include <gtest/gtest.h>

#include "fakes/FakeScheduleEnv.h"

namespace velmora::test {
namespace {

using Strings = std::vector<std::string>;

class Actions : public ::testing::Test {
protected:
    // Arms, then writes the settings read at firing, and returns the firing
    // tick's calls after the time and the countdown, up to the statistics.
    Strings Fire(const std::string& settings) {
        e.core.HandleCommand(IDC_DISABLE);
        e.view.Pick(2024, 5, 14, 10, 0, 1);
        e.core.HandleCommand(IDC_ENABLE);
        e.Settings(settings);
        e.events.clear();
        e.TickAt(10, 0, 1);
        return Strings(e.events.begin() + 3, e.events.end() - 3);
    }
    FakeScheduleEnv e;
};

TEST_F(Actions, EachStoredActionRunsItsOwnRequestAndExitsStopBothTimersFirst) {
    const auto exit = [](const std::string& request, Strings more) {
        more.insert(more.begin(), {"StopTimer 1", "StopTimer 2", "CanExit " + request + " 0"});
        return more;
    };
    const std::string none =
        "PROCESSES TERMINATION REPORT\n\nNone of the selected processes "
        "running at this time!";
    const std::pair<const char*, Strings> cases[] = {
        {"Action=0\nAlarmSound=a b.wav\n", {"StopTimer 1", "Play a b.wav"}},
        {"Action=1\n", exit("1", {"Exit 1 0"})},
        {"Action=2\n", exit("0", {"Exit 0 0"})},
        {"Action=3\n", exit("2", {"Exit 2 0"})},
        {"Action=4\n", {"SetSystemPowerState 1 1 0"}},
        {"Action=5\n", {"SetSystemPowerState 0 0 0"}},
        {"Action=6\n", {"Information " + none}},
        {"Action=7\n", {"Stop Check your action options"}},
        {"Action=-1\n", {"Stop Check your action options"}},
    };
    for (const auto& [settings, calls] : cases) {
        EXPECT_EQ(Fire(settings), calls) << settings;
    }
    const Strings& alarm = e.alarm.journal.calls;  // a Disable before and after the alarm
    EXPECT_EQ(Strings(alarm.begin(), alarm.begin() + 4),
              (Strings{"Stop", "Play a b.wav", "Stop", "Close"}));
    // Refused: power off only when the option is set. Not allowed: nothing
    // more. What could not be done is reported without waiting.
    const std::string when = " as scheduled for Tuesday 14 May 2024 10:00:01.\n\n";
    e.session.exit = {SessionFailure::Refused, "Access denied", {}};
    EXPECT_EQ(Fire("Action=3\nAlternateOption=1\n"), exit("2", {"Exit 2 0", "ForcePowerOff 0"}));
    EXPECT_EQ(Fire("Action=3\nAlternateOption=0\n"),
              exit("2", {"Exit 2 0", "Notice Velmora could not restart the computer" + when +
                                         "The system refused the request (Access denied)."}));
    e.session.powerOff = {SessionFailure::NoAnswer, {}, {}};
    EXPECT_EQ(Fire("Action=2\nAlternateOption=1\n").back(),
              "Notice Velmora could not log you off" + when +
                  "The system refused the request (Access denied).\n"
                  "Powering off instead did not work either.");
    e.session.canExit = {SessionFailure::NeedsPassword, {}, {}};
    EXPECT_EQ(Fire("Action=1\nAlternateOption=1\n"),
              exit("1", {"Notice Velmora could not shut down the computer" + when +
                         "The system asks for an administrator's password first, which a "
                         "scheduled action cannot give."}));
    e.session.sleep = {SessionFailure::NotAllowed, {}, {{"Backup", "Copying files"}, {"Player", ""}}};
    EXPECT_EQ(Fire("Action=5\n").back(),
              "Notice Velmora could not hibernate the computer" + when +
                  "The system does not allow your account to do this.\n"
                  "Blocked by: Backup (Copying files)\nBlocked by: Player");
}

TEST_F(Actions, NowCommandsAskFirstAndTestButtonsReport) {
    const std::pair<int, const char*> now[] = {{ID_SHUTDOWN_NOW, "ShutDown"},
                                               {ID_LOGOFF_NOW, "LogOff"},
                                               {ID_RESTART_NOW, "Restart"},
                                               {ID_STANDBY_NOW, "StandBy"},
                                               {ID_HIBERNATE_NOW, "Hibernate"}};
    for (const auto& [command, name] : now) {
        e.core.HandleCommand(command);  // unanswered counts as No
        e.prompt.AnswerYes();
        e.core.HandleCommand(command);
        EXPECT_EQ(e.prompt.LastText(),
                  std::string("Are you sure you want to ") + name + " your system Now?");
    }
    EXPECT_EQ(e.session.journal.calls,
              (Strings{"CanExit 1 1", "Exit 1 1", "CanExit 0 1", "Exit 0 1", "CanExit 2 1",
                       "Exit 2 1", "SetSystemPowerState 1 1 1", "SetSystemPowerState 0 0 1"}));
    const std::pair<int, std::string> buttons[] = {{IDC_TEST_SHUTDOWN, "CanExit 1 0|Shutdown"},
                                                   {IDC_TEST_LOGOFF, "CanExit 0 0|Logoff"},
                                                   {IDC_TEST_RESTART, "CanExit 2 0|Restart"}};
    for (const bool allowed : {true, false}) {
        e.session.canExit.failure = allowed ? SessionFailure::None : SessionFailure::NotAllowed;
        for (const auto& [button, expected] : buttons) {
            e.core.HandleCommand(button);
            EXPECT_EQ(
                e.session.journal.calls.back() + "|" + e.prompt.LastText(),
                expected + (allowed ? " test passed successfully" : " has not pass the test"));
        }
    }
}

TEST_F(Actions, KillReportListsEveryInstanceOfTheExactNamesAndStatisticsCountThem) {
    const std::string ended = "Process: notepad.exe, Status: Terminated\n";
    const std::string failed = "Process: notepad.exe, Status: Error\n";
    e.processes.entries[0].name = "notepad.exe";  // the idle task is never compared
    e.processes.Add(100, "notepad.exe");
    e.processes.Add(101, "NOTEPAD.EXE");
    e.processes.Add(102, "notepad.exe", 10);
    e.processes.Add(-1, "odd");  // pids 0 and below address groups: never signalled
    WriteFile(e.ProcessListFile(),
              "[Processes]\nFile0=notepad.exe\nFile1=odd\nFile2=notepad.exe\nFile3=absent\n"
              "File5=never.read\n");
    e.core.OnTick(kClockTimer);
    EXPECT_EQ(e.view.texts[IDC_RUNNING_PROCESSES] + "|" + e.view.texts[IDC_THREADS_RUNNING] + "|" +
                  e.view.texts[IDC_PROCESSES_FOR_TERMINATION],
              "Running processes: 5|Threads running: 14|Processes for termination: 4");
    // Only the exact letter case matches; a name listed twice is matched again
    // against the one snapshot; the list ends at the first missing key.
    e.core.KillSelectedProcesses();
    EXPECT_EQ(e.prompt.LastText(), "PROCESSES TERMINATION REPORT\n\n" + ended + ended +
                                       "Process: odd, Status: Error\n" + failed + failed);
}

}  // namespace
}  // namespace velmora::test
