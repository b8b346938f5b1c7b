#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/FakeScheduleEnv.h"
#include "fakes/ZoneGuard.h"

namespace velmora {
namespace {

// Stand by is the observed action: the fake session records it.
class Firing : public ::testing::Test {
protected:
    void SetUp() override { e.SetSetting("Action", "4"); }

    // Arms at 2024-05-14 h:m:s.ms for a target that day.
    void ArmAt(int h, int m, int s, int ms, int th, int tm, int ts) {
        e.clock.SetLocal(2024, 5, 14, h, m, s, ms);
        e.view.Pick(2024, 5, 14, th, tm, ts);
        e.core.HandleCommand(IDC_ENABLE);
    }
    void TickAt(int h, int m, int s, int ms = 0, int timerId = 2) {
        e.clock.SetLocal(2024, 5, 14, h, m, s, ms);
        e.core.OnTick(timerId);
    }
    long Fired() const {
        const auto& c = e.session.journal.calls;
        return std::count(c.begin(), c.end(), "SetSystemPowerState 1 1");
    }
    test::FakeScheduleEnv e;
};

TEST_F(Firing, FiresOnceInTheTargetSecondWithBothTimersThenFreezesTheCountdown) {
    ArmAt(10, 0, 0, 0, 10, 30, 0);
    for (int s = 1; s < 1800; ++s) {
        TickAt(10, s / 60, s % 60, 0, 1);
        TickAt(10, s / 60, s % 60, 400, 2);
    }
    EXPECT_EQ(e.view.Text(IDC_REMAINING), "00:00:00:01");
    EXPECT_EQ(Fired(), 0);
    TickAt(10, 30, 0, 0, 1);
    TickAt(10, 30, 0, 500, 2);
    EXPECT_EQ(Fired(), 1);
    EXPECT_TRUE(e.core.HasFired());
    EXPECT_EQ(e.view.Text(IDC_REMAINING), "00:00:00:00");
    TickAt(10, 30, 7);
    EXPECT_EQ(e.view.Text(IDC_REMAINING), "00:00:00:00");
    EXPECT_EQ(e.view.Text(IDC_CURRENT_TIME), "Tuesday 14 May 2024 10:30:07");
    EXPECT_EQ(Fired(), 1);
    EXPECT_TRUE(e.core.IsArmed());
}

TEST_F(Firing, LateTicksCatchUpTheTargetSecondWithinFiveSeconds) {
    ArmAt(9, 59, 58, 0, 10, 0, 0);
    TickAt(9, 59, 59, 950);
    TickAt(10, 0, 1, 20);  // the 10:00:00 tick never came
    EXPECT_EQ(Fired(), 1);

    e.core.HandleCommand(IDC_DISABLE);
    ArmAt(10, 0, 2, 0, 10, 0, 5);
    TickAt(10, 0, 7);  // five seconds after the arming
    EXPECT_EQ(Fired(), 2);
}

TEST_F(Firing, LongGapsAndPastTargetsNeverFire) {
    // Suspended (or the clock set forward) across the target.
    ArmAt(9, 59, 50, 0, 10, 0, 0);
    TickAt(9, 59, 55);
    TickAt(10, 0, 1);
    for (int s = 2; s < 30; ++s) {
        TickAt(10, 0, s);
    }
    EXPECT_EQ(Fired(), 0);
    EXPECT_EQ(e.view.Text(IDC_REMAINING), "00:00:00:-29");

    // A target already past at arming, although the tick before the arming
    // was before the target.
    e.core.HandleCommand(IDC_DISABLE);
    TickAt(9, 59, 59);
    ArmAt(10, 0, 1, 0, 10, 0, 0);
    TickAt(10, 0, 2);
    EXPECT_EQ(Fired(), 0);
    EXPECT_EQ(e.view.Text(IDC_REMAINING), "00:00:00:-2");

    // The clock set back over the target fires only when a tick lands in it.
    TickAt(9, 59, 59);
    EXPECT_EQ(Fired(), 0);
    TickAt(10, 0, 0);
    EXPECT_EQ(Fired(), 1);
}

TEST_F(Firing, ReArmingAfterFiringFiresAtTheNewTarget) {
    ArmAt(10, 0, 0, 0, 10, 0, 5);
    TickAt(10, 0, 5);
    ASSERT_EQ(Fired(), 1);
    e.view.Pick(2024, 5, 14, 10, 0, 10);
    e.core.HandleCommand(ID_ENABLE_STANDBY);
    EXPECT_FALSE(e.core.HasFired());
    TickAt(10, 0, 9);
    TickAt(10, 0, 10);
    TickAt(10, 0, 10, 500, 1);
    EXPECT_EQ(Fired(), 2);
}

TEST_F(Firing, DaylightSavingChangesFireOnce) {
    if (!std::filesystem::exists("/usr/share/zoneinfo/Europe/Berlin")) {
        GTEST_SKIP() << "no time zone data";
    }
    test::ZoneGuard berlin("Europe/Berlin");
    // 31 March 2024: 02:30 does not exist; the tick at 03:00:00 CEST, one
    // real second after 01:59:59 CET, passes it.
    e.clock.Set(1711846790LL * 1000);
    e.view.Pick(2024, 3, 31, 2, 30, 0);
    e.core.HandleCommand(IDC_ENABLE);
    for (long long t = 1711846791; t <= 1711846805; ++t) {
        e.clock.Set(t * 1000);
        e.core.OnTick(2);
        EXPECT_EQ(Fired(), t >= 1711846800 ? 1 : 0) << e.view.Text(IDC_CURRENT_TIME);
    }

    // 27 October 2024: 02:30 comes twice; the second one is not a new firing.
    e.core.HandleCommand(IDC_DISABLE);
    e.clock.Set(1729988990LL * 1000);  // 02:29:50 CEST
    e.view.Pick(2024, 10, 27, 2, 30, 0);
    e.core.HandleCommand(IDC_ENABLE);
    for (long long t = 1729988991; t <= 1729992610; ++t) {
        e.clock.Set(t * 1000);
        e.core.OnTick(2);
    }
    EXPECT_EQ(Fired(), 2);
    EXPECT_EQ(e.view.Text(IDC_CURRENT_TIME), "Sunday 27 October 2024 02:30:10");
}

}  // namespace
}  // namespace velmora
