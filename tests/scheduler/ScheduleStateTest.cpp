#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/FakeScheduleEnv.h"

namespace velmora {
namespace {

class ScheduleState : public ::testing::Test {
protected:
    void SetUp() override {
        e.clock.SetLocal(2024, 5, 14, 10, 0, 0);
        e.view.Pick(2024, 5, 14, 10, 30, 0);
    }
    test::FakeScheduleEnv e;
};

TEST_F(ScheduleState, ArmingCountdownAndRangeFromTheMinutesFieldOnly) {
    EXPECT_TRUE(e.core.HandleCommand(IDC_ENABLE));
    EXPECT_TRUE(e.core.IsArmed());
    EXPECT_TRUE(e.view.IsEnabled(IDC_DISABLE));
    EXPECT_TRUE(e.view.TimerRunning(kCountdownTimer));
    EXPECT_EQ(e.view.rangeHigh, 30);
    EXPECT_EQ(e.view.Text(IDC_ACTION_TIME), "Tuesday 14 May 2024 10:30:00");
    EXPECT_EQ(e.view.Text(IDC_ACTION_STATE) + "|" + e.view.Text(IDC_STATUS),
              "Enabled|Waiting to alarm...");
    e.TickAt(2024, 5, 14, 10, 0, 1);
    EXPECT_EQ(e.view.Text(IDC_REMAINING), "00:00:29:59");
    EXPECT_EQ(e.view.Text(IDC_CURRENT_TIME), "Tuesday 14 May 2024 10:00:01");
    e.TickAt(2024, 5, 14, 10, 10, 0);
    EXPECT_EQ(e.view.pos, 20);

    // 1 h 5 min ahead: 0..5; the position is the difference of minute fields.
    e.clock.SetLocal(2024, 5, 14, 10, 0, 0);
    e.view.Pick(2024, 5, 14, 11, 5, 0);
    e.core.HandleCommand(ID_ENABLE_SHUTDOWN);
    EXPECT_EQ(e.view.rangeLow * 100 + e.view.rangeHigh, 5);
    e.TickAt(2024, 5, 14, 10, 10, 0);
    EXPECT_EQ(e.view.pos, -5);

    // A picker change moves the target at the next tick, the file stays.
    const std::string stored = e.Read(e.SettingsFile());
    e.view.Pick(2024, 5, 16, 10, 45, 0);
    e.TickAt(2024, 5, 14, 10, 0, 1);
    EXPECT_EQ(e.view.Text(IDC_REMAINING), "02:00:44:59");
    EXPECT_EQ(e.Read(e.SettingsFile()), stored);
}

TEST_F(ScheduleState, ArmCommandsStoreTheActionAndEnableKeepsIt) {
    e.SetSetting("Action", "3");
    e.core.HandleCommand(IDC_ENABLE);
    EXPECT_EQ(e.Setting("Action"), 3);
    EXPECT_EQ(e.view.Text(IDC_STATUS), "Waiting to restart...");
    e.core.HandleCommand(IDC_DISABLE);
    e.core.HandleCommand(ID_ENABLE_SHUTDOWN);
    EXPECT_EQ(e.Setting("Action"), 1);
    EXPECT_EQ(e.StoredSchedule(), "1 2024-5-14 10:30:0");
    EXPECT_EQ(e.view.Text(IDC_STATUS), "Waiting to shutdown...");

    // Pickers that hold no calendar time are stored as 0 date and -1 time.
    e.view.date = e.view.time = DateTime();
    e.core.SaveSchedule(false);
    EXPECT_EQ(e.StoredSchedule(), "0 0-0-0 -1:-1:-1");
}

TEST_F(ScheduleState, StartUpRestoresTheScheduleAndDisableStoresItDisarmed) {
    e.core.LoadSchedule();  // no settings file: nothing happens
    EXPECT_TRUE(e.view.journal.calls.empty());

    e.Write(e.SettingsFile(),
            "[General Settings]\nIsEnabled=1\nYear=2024\nMonth=6\nDay=1\nHour=7\nMin=8\nSec=9\n"
            "Action=5\n");
    e.core.LoadSchedule();
    EXPECT_TRUE(e.core.IsArmed());
    EXPECT_EQ(FormatDateText(e.view.date, true), "Saturday 01 June 2024 00:00:00");
    EXPECT_EQ(e.view.Text(IDC_ACTION_TIME), "Saturday 01 June 2024 07:08:09");
    EXPECT_EQ(e.view.Text(IDC_STATUS), "Waiting to hibernate...");

    e.TickAt(2024, 5, 14, 10, 10, 0);
    e.core.HandleCommand(IDC_DISABLE);
    EXPECT_EQ(e.StoredSchedule(), "0 2024-6-1 7:8:9");
    EXPECT_EQ(e.Setting("Action"), 5);
    EXPECT_FALSE(e.core.IsArmed());
    EXPECT_FALSE(e.view.IsEnabled(IDC_DISABLE) || e.view.TimerRunning(kCountdownTimer));
    EXPECT_EQ(e.view.Text(IDC_ACTION_STATE) + "|" + e.view.Text(IDC_STATUS) + "|" +
                  e.view.Text(IDC_ACTION_TIME) + "|" + e.view.Text(IDC_REMAINING),
              "Disabled|Waiting for command...|Waiting time...|00:00:00:00");
    EXPECT_EQ(e.view.pos, 0);

    // A stored date that is no date leaves the pickers as they are, and the
    // schedule is armed with what they hold.
    e.Write(e.SettingsFile(), "[General Settings]\nIsEnabled=1\nYear=0\nHour=7\n");
    e.core.LoadSchedule();
    EXPECT_TRUE(e.core.IsArmed());
    EXPECT_EQ(e.view.Text(IDC_ACTION_TIME), "Saturday 01 June 2024 07:08:09");
}

TEST_F(ScheduleState, KillRoutineIsRefusedWhileTheListIsEmpty) {
    EXPECT_TRUE(e.core.HandleCommand(ID_ENABLE_KILL));
    ASSERT_EQ(e.prompt.shown.size(), 1u);
    EXPECT_EQ(e.prompt.shown[0].kind, test::FakePrompt::Kind::Stop);
    EXPECT_EQ(e.prompt.shown[0].text,
              "There is no selected processes on the list!\nPlease select processes and try "
              "again.");
    EXPECT_FALSE(e.core.IsArmed());
    EXPECT_TRUE(e.view.timers.empty());
    EXPECT_FALSE(std::filesystem::exists(e.SettingsFile()));

    e.SetProcessList({"backup.sh"});
    e.core.HandleCommand(ID_ENABLE_KILL);
    EXPECT_EQ(e.Setting("Action"), 6);
    EXPECT_EQ(e.view.Text(IDC_STATUS), "Waiting to kill processes...");
}

}  // namespace
}  // namespace velmora
