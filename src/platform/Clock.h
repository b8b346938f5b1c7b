#pragma once

#include <cstdint>

namespace velmora {

// The wall clock the scheduler reads. Tests hand the core a fake one so that
// days of countdown run in microseconds.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since 1970-01-01 00:00:00 UTC.
    virtual std::int64_t NowMilliseconds() const = 0;
};

}  // namespace velmora
