#include "app/core/DateTime.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace velmora {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 back to 1899-12-30, the day the value counts from.
constexpr std::int64_t kUnixEpochInValueDays = 25569;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Days since 1970-01-01 of a proleptic Gregorian date. Counts in 400-year
// eras of 146097 days, with the year starting on 1 March so that the leap
// day is the era-year's last day.
std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The inverse of DaysFromCivil.
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = FloorDiv(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

DateTime DateTime::FromFields(int year, int month, int day, int hour, int minute, int second) {
    DateTime result;
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        return result;
    }
    const std::int64_t days = DaysFromCivil(year, month, day) + kUnixEpochInValueDays;
    const int secondOfDay = hour * 3600 + minute * 60 + second;
    result.value_ = static_cast<double>(days) + secondOfDay / static_cast<double>(kSecondsPerDay);
    result.valid_ = true;
    return result;
}

DateTime DateTime::FromEpochSeconds(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return DateTime();
    }
    // A leap second (:60) counts as the second before it.
    return FromFields(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, std::min(local.tm_sec, 59));
}

std::int64_t DateTime::TotalSeconds() const {
    return std::llround(value_ * static_cast<double>(kSecondsPerDay));
}

DateTime::Fields DateTime::Split() const {
    if (!valid_) {
        return Fields{-1, -1, -1, -1, -1, -1, -1};
    }
    // Whole seconds give a value built from fields those fields back.
    const std::int64_t total = TotalSeconds();
    const std::int64_t days = FloorDiv(total, kSecondsPerDay);
    const int secondOfDay = static_cast<int>(total - days * kSecondsPerDay);
    Fields f{};
    CivilFromDays(days - kUnixEpochInValueDays, f.year, f.month, f.day);
    // Day 0 (30 December 1899) was a Saturday; Sunday is 1.
    f.dayOfWeek = static_cast<int>((days % 7 + 7 + 6) % 7) + 1;
    f.hour = secondOfDay / 3600;
    f.minute = secondOfDay / 60 % 60;
    f.second = secondOfDay % 60;
    return f;
}

int DateTime::Year() const {
    return Split().year;
}
int DateTime::Month() const {
    return Split().month;
}
int DateTime::Day() const {
    return Split().day;
}
int DateTime::DayOfWeek() const {
    return Split().dayOfWeek;
}
int DateTime::Hour() const {
    return Split().hour;
}
int DateTime::Minute() const {
    return Split().minute;
}
int DateTime::Second() const {
    return Split().second;
}

}  // namespace velmora
