#include <gtest/gtest.h>

#include "scheduler/core/RemainingTime.h"

namespace velmora {
namespace {

std::string Remaining(const DateTime& target, const DateTime& now) {
    return FormatRemainingTime(SplitRemainingTime(SpanInDays(target, now)));
}

DateTime At(int day, int hour, int minute, int second) {
    return DateTime::FromFields(2024, 5, day, hour, minute, second);
}

TEST(RemainingTime, FieldsAheadAndBehindWithTheSignOfTheSpan) {
    const DateTime now = At(10, 10, 0, 0);
    EXPECT_EQ(Remaining(At(11, 12, 3, 4), now), "01:02:03:04");
    EXPECT_EQ(Remaining(At(10, 10, 29, 59), now), "00:00:29:59");
    EXPECT_EQ(Remaining(At(10, 10, 0, 0), now), "00:00:00:00");
    EXPECT_EQ(Remaining(At(10, 9, 56, 56), now), "00:00:-3:-4");
    EXPECT_EQ(Remaining(At(8, 8, 59, 59), now), "-2:-1:00:-1");
    EXPECT_EQ(Remaining(At(10, 9, 59, 59), now), "00:00:00:-1");
    EXPECT_EQ(Remaining(At(12, 10, 0, 0), now), "02:00:00:00");
    EXPECT_EQ(Remaining(DateTime::FromFields(2024, 10, 7, 10, 0, 0), now), "150:00:00:00");
    // A span from an invalid picker value counts as nothing.
    EXPECT_EQ(Remaining(DateTime(), now), "00:00:00:00");
}

TEST(RemainingTime, WholeDaysAndWholeSecondsNeverLoseOne) {
    // k days ahead shows k days and no stray seconds, and one second less
    // k-1 and 23:59:59, also across 6 June 2079 (value 65536), where the
    // two values' fractions are rounded to different precisions.
    const struct {
        int year, month, day, offset;
    } targets[] = {{2079, 6, 2, 1}, {2079, 6, 30, 29}, {2079, 10, 29, 150}, {2080, 5, 31, 365}};
    for (int s = 0; s < 86399; s += 37) {
        const int h = s / 3600, m = s / 60 % 60, sec = s % 60;
        const DateTime now = DateTime::FromFields(2079, 6, 1, h, m, sec);
        const int t = s + 1;
        const DateTime later = DateTime::FromFields(2079, 6, 1, t / 3600, t / 60 % 60, t % 60);
        for (const auto& d : targets) {
            const DateTime target = DateTime::FromFields(d.year, d.month, d.day, h, m, sec);
            const RemainingTime exact = SplitRemainingTime(SpanInDays(target, now));
            ASSERT_EQ(exact.days, d.offset) << s;
            ASSERT_EQ(exact.hours + exact.minutes + exact.seconds, 0) << s;
            const RemainingTime less = SplitRemainingTime(SpanInDays(target, later));
            ASSERT_EQ(less.days, d.offset - 1) << s;
            ASSERT_EQ(less.hours * 3600 + less.minutes * 60 + less.seconds, 86399) << s;
        }
    }
}

}  // namespace
}  // namespace velmora
