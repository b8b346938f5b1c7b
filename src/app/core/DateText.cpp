#include <cstdio>

#include "app/core/DateTime.h"

namespace velmora {

namespace {

const char* DayName(int dayOfWeek) {
    static constexpr const char* kNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? kNames[dayOfWeek - 1] : "Unknown";
}

const char* MonthName(int month) {
    static constexpr const char* kNames[12] = {"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "Unknown";
}

}  // namespace

std::string FormatDateText(const DateTime& value, bool withTime) {
    char buffer[96];
    if (withTime) {
        std::snprintf(buffer, sizeof buffer, "%s %02d %s %02d %02d:%02d:%02d",
                      DayName(value.DayOfWeek()), value.Day(), MonthName(value.Month()),
                      value.Year(), value.Hour(), value.Minute(), value.Second());
    } else {
        std::snprintf(buffer, sizeof buffer, "%s %02d %s %02d", DayName(value.DayOfWeek()),
                      value.Day(), MonthName(value.Month()), value.Year());
    }
    return buffer;
}

}  // namespace velmora
