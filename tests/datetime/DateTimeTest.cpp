#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "app/core/DateTime.h"
#include "fakes/ZoneGuard.h"

namespace velmora {
namespace {

struct Expected {
    int year, month, day, dayOfWeek, hour, minute, second;
};

void ExpectFields(const DateTime& v, const Expected& e) {
    EXPECT_EQ(v.Year(), e.year);
    EXPECT_EQ(v.Month(), e.month);
    EXPECT_EQ(v.Day(), e.day);
    EXPECT_EQ(v.DayOfWeek(), e.dayOfWeek);
    EXPECT_EQ(v.Hour(), e.hour);
    EXPECT_EQ(v.Minute(), e.minute);
    EXPECT_EQ(v.Second(), e.second);
}

using test::ZoneGuard;

TEST(DateTime, LinearValueAndFieldsRoundTripWithRealMonthLengths) {
    EXPECT_DOUBLE_EQ(DateTime::FromFields(1899, 12, 30, 0, 0, 0).Value(), 0.0);
    EXPECT_DOUBLE_EQ(DateTime::FromFields(1900, 1, 1, 12, 0, 0).Value(), 2.5);
    EXPECT_DOUBLE_EQ(DateTime::FromFields(1899, 12, 29, 6, 0, 0).Value(), -0.75);
    ExpectFields(DateTime::FromFields(1899, 12, 29, 6, 0, 0), {1899, 12, 29, 6, 6, 0, 0});
    ExpectFields(DateTime::FromFields(100, 1, 1, 0, 0, 0), {100, 1, 1, 6, 0, 0, 0});
    ExpectFields(DateTime::FromFields(9999, 12, 31, 23, 59, 59), {9999, 12, 31, 6, 23, 59, 59});
    ExpectFields(DateTime::FromFields(2006, 3, 5, 14, 7, 9), {2006, 3, 5, 1, 14, 7, 9});
    // Every day of 1896..2104 (leap and century years) at a time that moves
    // through the day, checked against the next day and the day of week.
    DateTime previous = DateTime::FromFields(1895, 12, 31, 0, 0, 0);
    int dayOfWeek = previous.DayOfWeek();
    int n = 0;
    for (int y = 1896; y <= 2104; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= 31; ++d) {
                const int s = (n * 7919) % 86400;
                const DateTime v = DateTime::FromFields(y, m, d, s / 3600, s / 60 % 60, s % 60);
                if (!v.IsValid()) {
                    continue;
                }
                dayOfWeek = dayOfWeek % 7 + 1;
                ASSERT_EQ(v.Year() * 10000 + v.Month() * 100 + v.Day(), y * 10000 + m * 100 + d);
                ASSERT_EQ(v.Hour() * 3600 + v.Minute() * 60 + v.Second(), s);
                ASSERT_EQ(v.DayOfWeek(), dayOfWeek);
                ASSERT_EQ(std::floor(v.Value()) - std::floor(previous.Value()), 1.0);
                previous = v;
                ++n;
            }
        }
    }
    EXPECT_EQ(n, 76336);  // 209 years of 365 days plus 51 leap days (1900 and 2100 are none)
}

TEST(DateTime, InvalidFieldsGiveMinusOneEverywhere) {
    EXPECT_TRUE(DateTime::FromFields(2000, 2, 29, 0, 0, 0).IsValid());
    const int bad[][6] = {{1900, 2, 29, 0, 0, 0}, {2100, 2, 29, 0, 0, 0}, {2023, 2, 29, 0, 0, 0},
                          {2024, 4, 31, 0, 0, 0}, {2024, 0, 1, 0, 0, 0},  {2024, 13, 1, 0, 0, 0},
                          {2024, 1, 0, 0, 0, 0},  {2024, 1, 32, 0, 0, 0}, {2024, 1, 1, 24, 0, 0},
                          {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60}, {2024, 1, 1, -1, 0, 0},
                          {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
    for (const auto& f : bad) {
        const DateTime v = DateTime::FromFields(f[0], f[1], f[2], f[3], f[4], f[5]);
        EXPECT_FALSE(v.IsValid()) << f[0] << "-" << f[1] << "-" << f[2];
        ExpectFields(v, {-1, -1, -1, -1, -1, -1, -1});
    }
    ExpectFields(DateTime(), {-1, -1, -1, -1, -1, -1, -1});
}

TEST(DateText, EnglishNamesZeroPaddingAndUnknown) {
    EXPECT_EQ(FormatDateText(DateTime::FromFields(2007, 1, 1, 0, 0, 0), false),
              "Monday 01 January 2007");
    EXPECT_EQ(FormatDateText(DateTime::FromFields(2006, 3, 5, 14, 7, 9), false),
              "Sunday 05 March 2006");
    EXPECT_EQ(FormatDateText(DateTime::FromFields(2006, 3, 5, 4, 7, 9), true),
              "Sunday 05 March 2006 04:07:09");
    EXPECT_EQ(FormatDateText(DateTime::FromFields(2024, 12, 28, 23, 59, 59), true),
              "Saturday 28 December 2024 23:59:59");
    EXPECT_EQ(FormatDateText(DateTime::FromFields(999, 9, 9, 0, 0, 0), false),
              "Monday 09 September 999");
    EXPECT_EQ(FormatDateText(DateTime(), false), "Unknown -1 Unknown -1");
    EXPECT_EQ(FormatDateText(DateTime(), true), "Unknown -1 Unknown -1 -1:-1:-1");
}

TEST(DateTime, EpochSecondsConvertToLocalTimeDroppingNothingButZoneShift) {
    ZoneGuard utc("UTC");
    ExpectFields(DateTime::FromEpochSeconds(0), {1970, 1, 1, 5, 0, 0, 0});
    ExpectFields(DateTime::FromEpochSeconds(-1), {1969, 12, 31, 4, 23, 59, 59});
    ExpectFields(DateTime::FromEpochSeconds(1141567629), {2006, 3, 5, 1, 14, 7, 9});
    // Far outside what the value can hold.
    EXPECT_FALSE(DateTime::FromEpochSeconds(400000000000LL).IsValid());
}

TEST(DateTime, EpochSecondsFollowDaylightSavingChanges) {
    if (!std::filesystem::exists("/usr/share/zoneinfo/Europe/Berlin")) {
        GTEST_SKIP() << "no time zone data";
    }
    ZoneGuard berlin("Europe/Berlin");
    // 31 March 2024: 01:59:59 CET is followed by 03:00:00 CEST.
    ExpectFields(DateTime::FromEpochSeconds(1711846799), {2024, 3, 31, 1, 1, 59, 59});
    ExpectFields(DateTime::FromEpochSeconds(1711846800), {2024, 3, 31, 1, 3, 0, 0});
    // 27 October 2024: 02:30 happens twice, an hour apart.
    ExpectFields(DateTime::FromEpochSeconds(1729989000), {2024, 10, 27, 1, 2, 30, 0});
    ExpectFields(DateTime::FromEpochSeconds(1729992600), {2024, 10, 27, 1, 2, 30, 0});
}

}  // namespace
}  // namespace velmora
