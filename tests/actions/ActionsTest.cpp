#include <gtest/gtest.h>

#include "fakes/FakeScheduleEnv.h"

namespace velmora::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kHeading = "PROCESSES TERMINATION REPORT\n\n";
const std::string kNone = "None of the selected processes running at this time!";
const std::string kEmptyList =
    "Stop There is no selected processes on the list!\nPlease select processes and try again.";

class Actions : public ::testing::Test {
protected:
    // Arms, then writes the settings read at firing, and returns the calls
    // the firing tick makes.
    Strings Fire(const std::string& settings) {
        e.core.HandleCommand(IDC_DISABLE);
        e.view.Pick(2024, 5, 14, 10, 0, 1);
        e.core.HandleCommand(IDC_ENABLE);
        e.Settings(settings);
        e.events.clear();
        e.TickAt(10, 0, 1);
        return e.events;
    }
    FakeScheduleEnv e;
};

// Every setting read at firing has its default when missing: the alarm, an
// empty sound file, no forced power-off.
TEST_F(Actions, EachStoredActionRunsItsOwnRequestAndExitsStopBothTimersFirst) {
    const auto exit = [](const std::string& request, Strings more) {
        more.insert(more.begin(), {"StopTimer 1", "StopTimer 2", "CanExit " + request + " 0"});
        return more;
    };
    const std::pair<const char*, Strings> cases[] = {
        {"", {"StopTimer 1", "Play "}},
        {"Action=0\nAlarmSound=a b.wav\n", {"StopTimer 1", "Play a b.wav"}},
        {"Action=1\n", exit("1", {"Exit 1 0"})},
        {"Action=2\n", exit("0", {"Exit 0 0"})},
        {"Action=3\n", exit("2", {"Exit 2 0"})},
        {"Action=4\n", {"SetSystemPowerState 1 1 0"}},
        {"Action=5\n", {"SetSystemPowerState 0 0 0"}},
        {"Action=6\n", {"Information " + kHeading + kNone}},
        {"Action=7\n", {"Stop Check your action options"}},
        {"Action=-1\n", {"Stop Check your action options"}},
    };
    for (const auto& [settings, calls] : cases) {
        EXPECT_EQ(Fire(settings), calls) << settings;
    }
    const Strings& alarm = e.alarm.journal.calls;  // a Disable before and after the alarm
    EXPECT_EQ(Strings(alarm.begin() + 4, alarm.begin() + 8),
              (Strings{"Play a b.wav", "Stop", "Close", "Stop"}));
    // Refused: power off only when the option is set (not when it is missing).
    // Not allowed: nothing more. What could not be done is reported at once.
    const std::string when = " as scheduled for Tuesday 14 May 2024 10:00:01.\n\n";
    const std::string refused = "The system refused the request (Access denied).";
    e.session.exit = {SessionFailure::Refused, "Access denied", {}};
    EXPECT_EQ(Fire("Action=3\nAlternateOption=1\n"), exit("2", {"Exit 2 0", "ForcePowerOff 0"}));
    EXPECT_EQ(
        Fire("Action=3\nAlternateOption=0\n"),
        exit("2", {"Exit 2 0", "Notice Velmora could not restart the computer" + when + refused}));
    EXPECT_EQ(Fire("Action=2\n"),
              exit("0", {"Exit 0 0", "Notice Velmora could not log you off" + when + refused}));
    e.session.powerOff = {SessionFailure::NoAnswer, {}, {}};
    EXPECT_EQ(Fire("Action=2\nAlternateOption=1\n").back(),
              "Notice Velmora could not log you off" + when + refused +
                  "\nPowering off instead did not work either.");
    e.session.canExit = {SessionFailure::NeedsPassword, {}, {}};
    EXPECT_EQ(Fire("Action=1\nAlternateOption=1\n"),
              exit("1", {"Notice Velmora could not shut down the computer" + when +
                         "The system asks for an administrator's password first, which a "
                         "scheduled action cannot give."}));
    e.session.sleep = {
        SessionFailure::NotAllowed, {}, {{"Backup", "Copying files"}, {"Player", ""}}};
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
    EXPECT_EQ(e.prompt.shown.back().kind, FakePrompt::Kind::Information);
}

// The list runs from File0 to the first empty or missing value, and the two
// kill commands refuse an empty one, storing nothing. Every running instance
// of a listed name, by its exact letter case, is terminated and reported; a
// name listed twice is tried again against the same snapshot. The idle task
// (entry 0) is never compared, and pids 0 and below (process groups) are
// never signalled.
TEST(KillReport, AllTerminatedSomeFailedOrNoneFound) {
    const std::string ended = "Process: a, Status: Terminated\n";
    const std::string failed = "Process: a, Status: Error\n";
    const std::string odd = "Process: odd, Status: Error\n";
    const std::string question =
        "Question Are you sure you want to Kill the selected processes on your system Now?";
    const std::tuple<const char*, int, std::string> cases[] = {
        {"File0=a\nFile1=absent\n", 2, ended + ended},
        {"File0=a\nFile1=odd\nFile2=a\n", 3, ended + ended + odd + failed + failed},
        {"File0=odd\nFile1=odd\n", 2, odd + odd},
        {"File0=A\nFile1=idle\nFile2=absent\n", 3, kNone},
        {"File0=odd\nFile1=\nFile2=a\n", 1, odd},
        {"File0=odd\nFile2=a\n", 1, odd},
        {"", 0, ""},
        {"File0=\nFile1=a\n", 0, ""},
    };
    for (const auto& [list, count, report] : cases) {
        FakeScheduleEnv e;
        e.processes.Add(100, "a");
        e.processes.Add(101, "b", 1000);
        e.processes.Add(102, "a");
        e.processes.Add(-1, "odd");
        e.processes.entries[0].name = "idle";
        WriteFile(e.ProcessListFile(), std::string("[Processes]\n") + list);
        e.core.OnTick(kClockTimer);
        EXPECT_EQ(e.view.texts[IDC_RUNNING_PROCESSES] + "|" + e.view.texts[IDC_THREADS_RUNNING] +
                      "|" + e.view.texts[IDC_PROCESSES_FOR_TERMINATION],
                  "Running processes: 5|Threads running: 1004|Processes for termination: " +
                      std::to_string(count))
            << list;
        e.core.HandleCommand(ID_KILL_NOW);  // unanswered counts as No
        e.prompt.AnswerYes();
        e.core.HandleCommand(ID_KILL_NOW);
        e.core.HandleCommand(ID_ENABLE_KILL);
        EXPECT_EQ(e.prompt.journal.calls,
                  (count > 0 ? Strings{question, question, "Information " + kHeading + report}
                             : Strings{question, question, kEmptyList, kEmptyList}))
            << list;
        EXPECT_EQ(e.core.IsArmed() || !ReadFile(e.SettingsFile()).empty(), count > 0);
        e.Settings("Action=6\n");  // Enable arms whatever the list holds
        e.core.HandleCommand(IDC_ENABLE);
        EXPECT_TRUE(e.core.IsArmed());
    }
}

}  // namespace
}  // namespace velmora::test
