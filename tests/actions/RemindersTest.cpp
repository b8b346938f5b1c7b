// The warning before a destructive action, and the report of a target that
// passed while the computer slept: when they show, what they say, and when
// they go.
#include <gtest/gtest.h>

#include "fakes/FakeScheduleEnv.h"

namespace velmora::test {
namespace {

using Strings = std::vector<std::string>;

class Reminders : public ::testing::Test {
protected:
    // Arms the stored action at 10:00:00 for 10:01:00, or `left` seconds ahead.
    void Arm(const std::string& action, int left = 60) {
        e.Settings("Action=" + action + "\n");
        e.clock.SetLocal(2024, 5, 14, 10, 0, 0);
        e.view.Pick(2024, 5, 14, 10, left / 60, left % 60);
        e.core.HandleCommand(IDC_ENABLE);
    }
    Strings& Notified() { return e.notifier.journal.calls; }
    FakeScheduleEnv e;
};

TEST_F(Reminders, DestructiveActionsAreAnnouncedInTheirLastMinuteOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", ""},
        {"1", "Your computer will Shut Down in"},
        {"2", "Your computer will Log You Off in"},
        {"5", "Your computer will Hibernate in"},
        {"6", "Velmora will end the listed programs (none is running now) in"},
        {"7", ""},
    };
    for (const auto& [action, lead] : cases) {
        Notified().clear();
        Arm(action, 61);
        const std::string before = e.view.reminder;
        e.TickAt(10, 0, 1);
        EXPECT_EQ(e.view.reminder.empty(), !*lead) << action;
        e.TickAt(10, 0, 2);                      // notified once, not every second
        e.TickAt(10, 1, 1, 0, kCountdownTimer);  // fires
        EXPECT_EQ(before + e.view.reminder, "") << action;
        const std::string shown = std::string("Show Velmora Reminder ") + lead + " 00:00:01:00";
        EXPECT_EQ(Notified(), *lead ? Strings({shown, "Close"}) : Strings()) << action;
        e.core.HandleCommand(IDC_DISABLE);
    }
    Arm("5", 59);  // less than a minute left: at once, in the tip's own words
    EXPECT_EQ(e.view.reminder,
              "<b><ct=0x0000FF><al_c>Velmora Reminder</b><br><ct=0x00AA00><hr=100%></ct><br><br>"
              "Your computer will Hibernate in <br>00:00:00:59<br><br><br>");
    e.TickAt(10, 0, 1);
    EXPECT_NE(e.view.reminder.find("<br>00:00:00:58<br>"), std::string::npos);
    e.core.HandleCommand(IDC_DISABLE);
    EXPECT_EQ(e.view.reminder, "");
    EXPECT_EQ(Notified().back(), "Close");
}

TEST_F(Reminders, NotifiedOnceClosedTipStaysClosedAndDisableDisarms) {
    e.processes.Add(100, "backup.sh");
    e.processes.Add(101, "backup.sh");
    e.processes.Add(102, "player");
    WriteFile(e.ProcessListFile(), "[Processes]\nFile0=backup.sh\nFile1=player\nFile2=backup.sh\n");
    Arm("6", 30);
    e.view.userClosed = true;
    e.TickAt(10, 0, 1);
    e.TickAt(10, 0, 2);
    EXPECT_EQ(e.view.reminder, "");  // not shown again for this arming
    e.processes.entries.resize(2);   // the idle entry and one backup.sh
    e.TickAt(10, 0, 3);
    e.Settings("Action=1\n");  // changed on the Action page while armed
    e.TickAt(10, 0, 4);
    EXPECT_EQ(Notified(),
              (Strings{"Show Velmora Reminder Velmora will end 3 programs in 00:00:00:30",
                       "Show Velmora Reminder Velmora will end 1 program in 00:00:00:27",
                       "Show Velmora Reminder Your computer will Shut Down in 00:00:00:26"}));
    e.core.HandleCommand(ID_ENABLE_RESTART);  // a new arming shows it again
    EXPECT_NE(e.view.reminder.find("Restart in <br>00:00:00:26"), std::string::npos);
    e.notifier.onDisable();
    EXPECT_FALSE(e.core.IsArmed());
    EXPECT_NE(ReadFile(e.SettingsFile()).find("IsEnabled=0\r\n"), std::string::npos);
    EXPECT_EQ(e.view.reminder, "");
}

TEST_F(Reminders, TargetSkippedByALongGapIsReportedOnceAndNothingRuns) {
    Arm("1", 30);
    e.TickAt(10, 0, 20);
    e.TickAt(10, 5, 0);  // resumed from stand by
    e.TickAt(10, 5, 1);
    EXPECT_EQ(e.prompt.shown.size(), 1u);
    EXPECT_EQ(e.prompt.LastText(),
              "The shutdown set for Tuesday 14 May 2024 10:00:30 did not run because the "
              "computer was asleep or its clock changed at that time.");
    EXPECT_EQ(e.view.texts[IDC_REMAINING] + e.view.reminder + Notified().back(),
              "00:00:-4:-31Close");  // the countdown goes on, the reminder went
    EXPECT_TRUE(e.session.journal.calls.empty());
}

}  // namespace
}  // namespace velmora::test
