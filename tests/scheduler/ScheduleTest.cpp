#include <gtest/gtest.h>

#include <regex>

#include "fakes/FakeScheduleEnv.h"
#include "scheduler/core/RemainingTime.h"

namespace velmora::test {
namespace {

std::string Remaining(const DateTime& target, const DateTime& now) {
    return FormatRemainingTime(SplitRemainingTime(SpanInDays(target, now)));
}

TEST(RemainingTime, EveryFieldKeepsTheSignAndNoSecondIsLost) {
    const DateTime now = DateTime::FromFields(2024, 5, 10, 10, 0, 0);
    EXPECT_EQ(Remaining(DateTime::FromFields(2024, 5, 11, 12, 3, 4), now), "01:02:03:04");
    EXPECT_EQ(Remaining(DateTime::FromFields(2024, 5, 8, 8, 59, 59), now), "-2:-1:00:-1");
    EXPECT_EQ(Remaining(DateTime::FromFields(2024, 10, 7, 10, 0, 0), now), "150:00:00:00");
    EXPECT_EQ(Remaining(DateTime(), now), "00:00:00:00");  // an invalid picker value

    // Across 6 June 2079 the day count passes 65536 and the two values' fractions
    // are rounded to different precisions; a span of whole days stays exact.
    for (int s = 0; s < 86400; s += 7) {
        const int h = s / 3600, m = s / 60 % 60;
        ASSERT_EQ(SpanInDays(DateTime::FromFields(2079, 6, 30, h, m, s % 60),
                             DateTime::FromFields(2079, 6, 1, h, m, s % 60)),
                  29.0)
            << s;
    }
    for (int n = -86399; n < 86400; ++n) {  // every span under a day splits into its seconds
        const RemainingTime r = SplitRemainingTime(n / 86400.0);
        ASSERT_EQ(r.hours * 3600 + r.minutes * 60 + r.seconds, n) << n;
    }
}

class Schedule : public ::testing::Test {
protected:
    // Arms at 14 May 2024 h:m:s for a target that day.
    void ArmAt(int h, int m, int s, int th, int tm, int ts, int command = ID_ENABLE_STANDBY) {
        e.clock.SetLocal(2024, 5, 14, h, m, s);
        e.view.Pick(2024, 5, 14, th, tm, ts);
        e.core.HandleCommand(command);
    }
    // How often stand by, the action armed by default, ran.
    std::size_t Fired() const { return e.session.journal.calls.size(); }
    std::string Texts(std::initializer_list<int> ids) {
        std::string out;
        for (int id : ids) {
            out += e.view.texts[id] + "|";
        }
        return out;
    }
    FakeScheduleEnv e;
};

TEST_F(Schedule, ArmingShowsTheCountdownAndDisableStoresIt) {
    e.Settings("Action=3\n");
    ArmAt(10, 0, 0, 10, 30, 0, IDC_ENABLE);
    EXPECT_EQ(e.view.range, std::make_pair(0, 30));
    EXPECT_EQ(Texts({IDC_ACTION_TIME, IDC_ACTION_STATE, IDC_STATUS}),
              "Tuesday 14 May 2024 10:30:00|Enabled|Waiting to restart...|");
    e.TickAt(10, 10, 1);
    EXPECT_EQ(Texts({IDC_REMAINING, IDC_CURRENT_TIME}),
              "00:00:19:59|Tuesday 14 May 2024 10:10:01|");
    EXPECT_EQ(e.view.pos, 20);

    // 1 h 5 min ahead: 0..5, and the position is the difference of the
    // minute fields. "Enable ShutDown routine" stores the action and the time.
    ArmAt(10, 0, 0, 11, 5, 0, ID_ENABLE_SHUTDOWN);
    EXPECT_EQ(e.view.range, std::make_pair(0, 5));
    const std::string stored = ReadFile(e.SettingsFile());
    EXPECT_EQ(stored,
              "[General Settings]\r\nAction=1\r\nIsEnabled=1\r\nYear=2024\r\nMonth=5\r\n"
              "Day=14\r\nHour=11\r\nMin=5\r\nSec=0\r\n\r\n");
    e.TickAt(10, 10, 0);
    EXPECT_EQ(e.view.pos, -5);
    // A picker change moves the target at the next tick; the file stays.
    e.view.Pick(2024, 5, 16, 10, 45, 0);
    e.TickAt(10, 0, 1);
    EXPECT_EQ(Texts({IDC_REMAINING}), "02:00:44:59|");
    EXPECT_EQ(ReadFile(e.SettingsFile()), stored);
    // Disable stores the schedule disarmed, with the pickers as they are now.
    e.core.HandleCommand(IDC_DISABLE);
    EXPECT_EQ(ReadFile(e.SettingsFile()),
              "[General Settings]\r\nAction=1\r\nIsEnabled=0\r\nYear=2024\r\nMonth=5\r\n"
              "Day=16\r\nHour=10\r\nMin=45\r\nSec=0\r\n\r\n");
    EXPECT_FALSE(e.core.IsArmed() || e.view.IsEnabled(IDC_DISABLE) || !e.view.timers.empty());
    EXPECT_EQ(Texts({IDC_ACTION_STATE, IDC_STATUS, IDC_ACTION_TIME, IDC_REMAINING}) +
                  std::to_string(e.view.pos),
              "Disabled|Waiting for command...|Waiting time...|00:00:00:00|0");
}

TEST_F(Schedule, EachArmCommandStoresItsAction) {
    WriteFile(e.ProcessListFile(), "[Processes]\nFile0=a\n");
    const int commands[] = {ID_ENABLE_ALARM,   ID_ENABLE_SHUTDOWN, ID_ENABLE_LOGOFF,
                            ID_ENABLE_RESTART, ID_ENABLE_STANDBY,  ID_ENABLE_HIBERNATE,
                            ID_ENABLE_KILL};
    for (int action = 0; action < 7; ++action) {
        ArmAt(10, 0, 0, 10, 30, 0, commands[action]);
        EXPECT_NE(ReadFile(e.SettingsFile()).find("Action=" + std::to_string(action) + "\r"),
                  std::string::npos)
            << action;
    }
}

// Start-up re-arms a stored schedule and shows the stored action, or refuses
// a value that is none. Each case replaces or leaves out (no "=") one key: a
// missing time field reads 0, a missing date field (0) leaves both pickers as
// they were, a missing action is the alarm, and without IsEnabled nothing is
// armed.
TEST(ScheduleStartUp, RestoresEveryKeyOrItsDefault) {
    const std::string restored = "Saturday 01 June 2024 07:08:09|Waiting to ";
    const std::string unchanged = "Tuesday 14 May 2024 12:34:56|Waiting to hibernate...|";
    const std::pair<std::string, std::string> cases[] = {
        {"Action=0", restored + "alarm...|"},
        {"Action=1", restored + "shutdown...|"},
        {"Action=2", restored + "logoff...|"},
        {"Action=3", restored + "restart...|"},
        {"Action=4", restored + "stand by...|"},
        {"Action=5", restored + "hibernate...|"},
        {"Action=6", restored + "kill processes...|"},
        {"Action", restored + "alarm...|"},
        {"Action=7", "Saturday 01 June 2024 07:08:09|as before|Stop Check your action options"},
        {"Action=-1", "Saturday 01 June 2024 07:08:09|as before|Stop Check your action options"},
        {"Sec", "Saturday 01 June 2024 07:08:00|Waiting to hibernate...|"},
        {"Min", "Saturday 01 June 2024 07:00:09|Waiting to hibernate...|"},
        {"Hour", "Saturday 01 June 2024 00:08:09|Waiting to hibernate...|"},
        {"Day", unchanged},
        {"Month", unchanged},
        {"Year", unchanged},
        {"IsEnabled", "|as before|"},
    };
    for (const auto& [change, expected] : cases) {
        FakeScheduleEnv e;
        const std::string key = change.substr(0, change.find('='));
        e.Settings(std::regex_replace(
            "IsEnabled=1\nYear=2024\nMonth=6\nDay=1\nHour=7\nMin=8\nSec=9\nAction=5\n",
            std::regex("\\b" + key + "=.*\n"), change == key ? "" : change + "\n"));
        e.view.Pick(2024, 5, 14, 12, 34, 56);
        e.view.texts[IDC_STATUS] = "as before";
        e.core.LoadSchedule();
        EXPECT_EQ(e.view.texts[IDC_ACTION_TIME] + "|" + e.view.texts[IDC_STATUS] + "|" +
                      (e.prompt.journal.calls.empty() ? "" : e.prompt.journal.calls.back()),
                  expected)
            << change;
        EXPECT_EQ(e.core.IsArmed(), change != "IsEnabled");
    }
}

TEST_F(Schedule, FiresOnceAndCatchesUpLateTicksButNotLongGapsOrPastTargets) {
    ArmAt(10, 29, 59, 10, 30, 0);
    for (int timer : {kCountdownTimer, kClockTimer, kCountdownTimer}) {  // both timers tick
        e.TickAt(10, 30, 0, timer * 300, timer);
    }
    e.TickAt(10, 30, 7);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_TRUE(e.core.IsArmed());
    EXPECT_EQ(Texts({IDC_REMAINING}), "00:00:00:00|");  // the countdown stays

    ArmAt(9, 59, 58, 10, 0, 0);  // re-armed without Disable
    e.TickAt(9, 59, 59, 950);
    e.TickAt(10, 0, 1, 20);  // the 10:00:00 tick never came
    EXPECT_EQ(Fired(), 2u);
    ArmAt(10, 0, 2, 10, 0, 5);
    e.TickAt(10, 0, 7);  // five seconds after the arming
    EXPECT_EQ(Fired(), 3u);

    ArmAt(9, 59, 50, 10, 0, 0);
    e.TickAt(9, 59, 55);
    for (int s = 1; s < 30; ++s) {  // suspended across the target
        e.TickAt(10, 0, s);
    }
    EXPECT_EQ(Texts({IDC_REMAINING}), "00:00:00:-29|");
    e.core.HandleCommand(IDC_DISABLE);
    e.TickAt(9, 59, 59);
    ArmAt(10, 0, 0, 10, 0, 0);  // armed within its second: already past
    e.TickAt(10, 0, 1);
    EXPECT_EQ(Fired(), 3u);
    e.TickAt(9, 59, 59);  // the clock set back fires when a tick lands on the target
    e.TickAt(10, 0, 0);
    EXPECT_EQ(Fired(), 4u);

    // On 31 March 2024 in Berlin 02:30 does not exist: 03:00:00 CEST is one
    // real second after 01:59:59 CET, when the schedule is armed.
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    e.clock.Set(1711846799LL * 1000);
    e.view.Pick(2024, 3, 31, 2, 30, 0);
    e.core.HandleCommand(ID_ENABLE_STANDBY);
    e.clock.Set(1711846800LL * 1000);
    e.core.OnTick(kClockTimer);
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(Fired(), 5u);
}

}  // namespace
}  // namespace velmora::test
