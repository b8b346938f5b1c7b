#pragma once

#include <cstdint>
#include <ctime>

#include "platform/Clock.h"

namespace velmora::test {

// A clock that stands still until the test sets or advances it.
class FakeClock : public Clock {
public:
    std::int64_t NowMilliseconds() const override { return ms; }

    void Set(std::int64_t milliseconds) { ms = milliseconds; }
    void Advance(std::int64_t milliseconds) { ms += milliseconds; }
    void AdvanceSeconds(std::int64_t seconds) { ms += seconds * 1000; }

    // Sets the clock to a local calendar time of the process's time zone
    // (daylight saving decided by the zone), plus some milliseconds.
    void SetLocal(int year, int month, int day, int hour, int minute, int second,
                  int milliseconds = 0) {
        ms = LocalToEpochSeconds(year, month, day, hour, minute, second) * 1000 + milliseconds;
    }

    static std::int64_t LocalToEpochSeconds(int year, int month, int day, int hour, int minute,
                                            int second) {
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month - 1;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        t.tm_sec = second;
        t.tm_isdst = -1;
        return static_cast<std::int64_t>(std::mktime(&t));
    }

    std::int64_t ms = 0;
};

}  // namespace velmora::test
