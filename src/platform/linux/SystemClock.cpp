#include "platform/linux/SystemClock.h"

#include <chrono>

namespace velmora {

std::int64_t SystemClock::NowMilliseconds() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace velmora
