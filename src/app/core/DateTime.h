#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// A local calendar date-time to the second: days since 30 December 1899
// 00:00 in a double (the fraction is the time of day, one second is 1/86400)
// and a validity flag. Every component of an invalid value reads as -1.
class DateTime {
public:
    DateTime() = default;  // invalid

    // From calendar fields; invalid when they do not form a date and time
    // (years 100 to 9999, months 1 to 12, days of that month, 0-23, 0-59, 0-59).
    static DateTime FromFields(int year, int month, int day, int hour, int minute, int second);
    // From seconds since the Unix epoch, converted to local time with the
    // C library; invalid when the conversion fails.
    static DateTime FromEpochSeconds(std::int64_t seconds);

    bool IsValid() const { return valid_; }
    double Value() const { return value_; }
    // The value in whole seconds since 30 December 1899 00:00, rounded to the
    // nearest second (the fraction of a value built from fields is not exact
    // in binary). Only meaningful for a valid value.
    std::int64_t TotalSeconds() const;

    int Year() const;
    int Month() const;      // 1 to 12
    int Day() const;        // 1 to 31
    int DayOfWeek() const;  // 1 (Sunday) to 7 (Saturday)
    int Hour() const;
    int Minute() const;
    int Second() const;

    // This value minus the other, in days.
    double operator-(const DateTime& other) const { return value_ - other.value_; }

private:
    struct Fields {
        int year, month, day, dayOfWeek, hour, minute, second;
    };
    Fields Split() const;

    double value_ = 0.0;
    bool valid_ = false;
};

// "Sunday 05 March 2006", or with time "Sunday 05 March 2006 14:07:09".
// An invalid value gives "Unknown -1 Unknown -1".
std::string FormatDateText(const DateTime& value, bool withTime);
// Appends the number as "%02lld" prints it: at least two figures, a sign
// before them.
void AppendTwoDigits(std::string& text, long long value);
// Appends " HH:MM:SS" of the value's time of day, each field with at least
// two figures.
void AppendClock(std::string& text, const DateTime& value);

}  // namespace velmora
