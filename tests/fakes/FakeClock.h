#pragma once

#include <cstdint>
#include <ctime>
#include <tuple>

#include "platform/Clock.h"

namespace velmora::test {

// A clock that stands still until the test sets or advances it.
class FakeClock : public Clock {
public:
    std::int64_t NowMilliseconds() const override { return ms_; }
    void Set(std::int64_t ms) { ms_ = ms; }
    void AdvanceSeconds(std::int64_t seconds) { ms_ += seconds * 1000; }
    void SetLocal(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        ms_ = LocalToEpochSeconds(y, mo, d, h, mi, s) * 1000 + ms;
    }
    // A local time of the process's time zone, daylight saving as the zone decides.
    static std::int64_t LocalToEpochSeconds(int y, int mo, int d, int h, int mi, int s) {
        std::tm t{};
        std::tie(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_isdst) =
            std::make_tuple(y - 1900, mo - 1, d, h, mi, s, -1);
        return std::mktime(&t);
    }

private:
    std::int64_t ms_ = 0;
};

}  // namespace velmora::test
