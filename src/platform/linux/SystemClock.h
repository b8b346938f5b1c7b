#pragma once

#include "platform/Clock.h"

namespace velmora {

// The machine's real-time clock.
class SystemClock : public Clock {
public:
    std::int64_t NowMilliseconds() const override;
};

}  // namespace velmora
