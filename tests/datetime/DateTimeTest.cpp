#include <gtest/gtest.h>

#include "app/core/DateTime.h"

namespace velmora {
namespace {

std::string Text(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return FormatDateText(DateTime::FromFields(y, mo, d, h, mi, s), h + mi + s != 0);
}

TEST(DateTime, TextsRoundTripsAndLeapYears) {
    EXPECT_EQ(Text(2007, 1, 1), "Monday 01 January 2007");
    EXPECT_EQ(Text(1899, 12, 29, 6, 0, 0), "Friday 29 December 1899 06:00:00");
    EXPECT_EQ(FormatDateText(DateTime::FromEpochSeconds(1141567629), true),  // TZ=UTC
              "Sunday 05 March 2006 14:07:09");
    EXPECT_EQ(Text(2000, 2, 29) + "|" + Text(2024, 2, 29),
              "Tuesday 29 February 2000|Thursday 29 February 2024");
    for (const int year : {1900, 2023, 2100}) {
        EXPECT_EQ(Text(year, 2, 29), "Unknown -1 Unknown -1") << year;
    }
    EXPECT_EQ(FormatDateText(DateTime(), true), "Unknown -1 Unknown -1 -1:-1:-1");
    // Days counted from 30 December 1899: whole days apart, fields back unchanged.
    const DateTime a = DateTime::FromFields(1900, 2, 28, 23, 59, 59);
    const DateTime b = DateTime::FromFields(2100, 3, 1, 0, 0, 1);
    EXPECT_DOUBLE_EQ(b - a, 73049 + 2.0 / 86400);
    EXPECT_EQ(FormatDateText(b, true), "Monday 01 March 2100 00:00:01");
}

}  // namespace
}  // namespace velmora
