#include <charconv>

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

void AppendTwoDigits(std::string& text, long long value) {
    if (value >= 0 && value < 10) {
        text += '0';
    }
    char figures[24];
    const auto end = std::to_chars(figures, figures + sizeof figures, value).ptr;
    text.append(figures, end);
}

std::string FormatDateText(const DateTime& value, bool withTime) {
    // Built by hand rather than formatted: the clock's text is made anew
    // every second.
    std::string text = DayName(value.DayOfWeek());
    text += ' ';
    AppendTwoDigits(text, value.Day());
    text += ' ';
    text += MonthName(value.Month());
    text += ' ';
    AppendTwoDigits(text, value.Year());
    if (withTime) {
        AppendClock(text, value);
    }
    return text;
}

void AppendClock(std::string& text, const DateTime& value) {
    text += ' ';
    AppendTwoDigits(text, value.Hour());
    text += ':';
    AppendTwoDigits(text, value.Minute());
    text += ':';
    AppendTwoDigits(text, value.Second());
}

}  // namespace velmora
