#include <gtest/gtest.h>

#include "fakes/FakeScheduleEnv.h"

namespace velmora {
namespace {

using Strings = std::vector<std::string>;

class Actions : public ::testing::Test {
protected:
    void SetUp() override {
        e.clock.SetLocal(2024, 5, 14, 10, 0, 0);
        e.view.Pick(2024, 5, 14, 10, 0, 1);
        e.view.StartTimer(kClockTimer);  // as the window does at start-up
        e.events.clear();
    }
    // Arms with the stored action, lets the target second come and returns
    // what happened from the firing on.
    Strings FireWithAction(const std::string& action) {
        e.SetSetting("Action", action);
        e.core.HandleCommand(IDC_ENABLE);
        e.events.clear();
        e.clock.SetLocal(2024, 5, 14, 10, 0, 1);
        e.core.OnTick(kCountdownTimer);
        return Strings(e.events.begin(), e.events.end() - 3);  // drop the statistics
    }
    test::FakeScheduleEnv e;
};

TEST_F(Actions, EachStoredActionRunsItsOwnRequest) {
    const std::string prefix[] = {"SetProgressPos 0", "SetText 186 00:00:00:00"};
    const struct {
        const char* action;
        Strings calls;
    } cases[] = {
        {"0", {"StopTimer 1", "Play "}},
        {"1", {"StopTimer 1", "StopTimer 2", "CanExit 1 0", "Exit 1 0"}},
        {"2", {"StopTimer 1", "StopTimer 2", "CanExit 0 0", "Exit 0 0"}},
        {"3", {"StopTimer 1", "StopTimer 2", "CanExit 2 0", "Exit 2 0"}},
        {"4", {"SetSystemPowerState 1 1"}},
        {"5", {"SetSystemPowerState 0 0"}},
        {"6",
         {"Information PROCESSES TERMINATION REPORT\n\n"
          "None of the selected processes running at this time!"}},
        {"7", {"Stop Check your action options"}},
        {"-1", {"Stop Check your action options"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        e.core.HandleCommand(IDC_DISABLE);
        Strings expected(std::begin(prefix), std::end(prefix));
        expected.insert(expected.end(), c.calls.begin(), c.calls.end());
        const Strings got = FireWithAction(c.action);
        EXPECT_EQ(Strings(got.begin() + 1, got.end()), expected);
    }
    // An action that is none is also reported when arming; the status label
    // keeps its text.
    e.core.HandleCommand(IDC_DISABLE);
    e.SetSetting("Action", "9");
    e.prompt.shown.clear();
    e.core.HandleCommand(IDC_ENABLE);
    EXPECT_EQ(e.prompt.LastText(), "Check your action options");
    EXPECT_EQ(e.view.Text(IDC_STATUS), "Waiting for command...");
}

TEST_F(Actions, RefusedExitFallsBackToPowerOffOnlyWhenTheOptionIsSet) {
    e.session.exitAccepted = false;
    e.SetSetting("AlternateOption", "1");
    e.core.ExitWindowsWithPrivilege(EWX_REBOOT);
    EXPECT_EQ(e.events, (Strings{"StopTimer 1", "StopTimer 2", "CanExit 2 0", "Exit 2 0",
                                 "ForcePowerOff 0"}));
    EXPECT_TRUE(e.view.timers.empty());

    e.events.clear();
    e.SetSetting("AlternateOption", "0");
    e.core.ExitWindowsWithPrivilege(EWX_REBOOT);
    EXPECT_EQ(e.events, (Strings{"StopTimer 1", "StopTimer 2", "CanExit 2 0", "Exit 2 0"}));

    // Not allowed at all: nothing is asked, not even the fallback.
    e.events.clear();
    e.session.canExit = false;
    e.SetSetting("AlternateOption", "1");
    e.core.ExitWindowsWithPrivilege(EWX_SHUTDOWN);
    EXPECT_EQ(e.events, (Strings{"StopTimer 1", "StopTimer 2", "CanExit 1 0"}));
}

TEST_F(Actions, NowCommandsAskFirstAndActInteractivelyOnlyOnYes) {
    const struct {
        int command;
        const char* question;
        Strings onYes;
    } cases[] = {
        {ID_SHUTDOWN_NOW,
         "Are you sure you want to ShutDown your system Now?",
         {"StopTimer 1", "StopTimer 2", "CanExit 1 1", "Exit 1 1"}},
        {ID_LOGOFF_NOW,
         "Are you sure you want to LogOff your system Now?",
         {"StopTimer 1", "StopTimer 2", "CanExit 0 1", "Exit 0 1"}},
        {ID_RESTART_NOW,
         "Are you sure you want to Restart your system Now?",
         {"StopTimer 1", "StopTimer 2", "CanExit 2 1", "Exit 2 1"}},
        {ID_STANDBY_NOW,
         "Are you sure you want to StandBy your system Now?",
         {"SetSystemPowerState 1 1"}},
        {ID_HIBERNATE_NOW,
         "Are you sure you want to Hibernate your system Now?",
         {"SetSystemPowerState 0 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        e.events.clear();
        EXPECT_TRUE(e.core.HandleCommand(c.command));  // unanswered counts as No
        EXPECT_EQ(e.events, Strings{std::string("Question ") + c.question});
        e.events.clear();
        e.prompt.AnswerYes();
        e.core.HandleCommand(c.command);
        Strings expected{std::string("Question ") + c.question};
        expected.insert(expected.end(), c.onYes.begin(), c.onYes.end());
        EXPECT_EQ(e.events, expected);
    }
    e.events.clear();
    EXPECT_FALSE(e.core.HandleCommand(ID_HELP_TOPIC));
    EXPECT_TRUE(e.events.empty());
}

TEST_F(Actions, TestButtonsReportWhetherTheRequestIsAllowed) {
    const struct {
        int button;
        const char* request;
        const char* passed;
        const char* failed;
    } cases[] = {
        {IDC_TEST_SHUTDOWN, "CanExit 1 0", "Shutdown test passed successfully",
         "Shutdown has not pass the test"},
        {IDC_TEST_LOGOFF, "CanExit 0 0", "Logoff test passed successfully",
         "Logoff has not pass the test"},
        {IDC_TEST_RESTART, "CanExit 2 0", "Restart test passed successfully",
         "Restart has not pass the test"},
    };
    for (const auto& c : cases) {
        for (const bool allowed : {true, false}) {
            e.events.clear();
            e.session.canExit = allowed;
            EXPECT_TRUE(e.core.HandleCommand(c.button));
            EXPECT_EQ(e.events, (Strings{c.request, std::string("Information ") +
                                                        (allowed ? c.passed : c.failed)}));
        }
    }
}

TEST_F(Actions, AlarmPlaysTheSoundChosenWhenItFiresAndDisableClosesIt) {
    e.SetSetting("AlarmSound", "/sounds/old.mp3");
    e.core.HandleCommand(ID_ENABLE_ALARM);
    e.SetSetting("AlarmSound", "/sounds/new sound.wav");
    e.clock.SetLocal(2024, 5, 14, 10, 0, 1);
    e.core.OnTick(kClockTimer);
    EXPECT_EQ(e.alarm.journal.calls, Strings{"Play /sounds/new sound.wav"});
    EXPECT_FALSE(e.view.TimerRunning(kCountdownTimer));
    EXPECT_TRUE(e.view.TimerRunning(kClockTimer));
    EXPECT_EQ(e.view.Text(IDC_ACTION_STATE), "Enabled");

    // Re-armed without Disable, it fires again and replaces the sound.
    e.view.Pick(2024, 5, 14, 10, 0, 2);
    e.core.HandleCommand(ID_ENABLE_ALARM);
    e.clock.SetLocal(2024, 5, 14, 10, 0, 2);
    e.core.OnTick(kClockTimer);
    e.core.HandleCommand(IDC_DISABLE);
    e.core.HandleCommand(IDC_DISABLE);
    EXPECT_EQ(e.alarm.journal.calls,
              (Strings{"Play /sounds/new sound.wav", "Stop", "Close", "Play /sounds/new sound.wav",
                       "Stop", "Close", "Stop"}));
}

}  // namespace
}  // namespace velmora
