#include "scheduler/core/FireTest.h"

#include <cmath>

namespace velmora {

std::int64_t LocalSecondOf(const DateTime& value) {
    return std::llround(value.Value() * 86400.0);
}

bool TickReachesTarget(const DateTime& target, const DateTime& now,
                       const std::optional<TickMoment>& previous, const TickMoment& current) {
    if (!target.IsValid() || !now.IsValid()) {
        return false;
    }
    const std::int64_t targetSecond = LocalSecondOf(target);
    if (targetSecond == LocalSecondOf(now)) {
        return true;
    }
    if (!previous) {
        return false;
    }
    const std::int64_t gap = current.epochSecond - previous->epochSecond;
    return gap > 0 && gap <= kMaxCatchUpGap && targetSecond > previous->localSecond &&
           targetSecond <= current.localSecond;
}

}  // namespace velmora
