#include "scheduler/core/FireTest.h"

namespace velmora {

bool TickReachesTarget(const DateTime& target, const DateTime& now,
                       const std::optional<TickMoment>& previous, const TickMoment& current) {
    if (!target.IsValid() || !now.IsValid()) {
        return false;
    }
    const std::int64_t targetSecond = target.TotalSeconds();
    if (targetSecond == now.TotalSeconds()) {
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
