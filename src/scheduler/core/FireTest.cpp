#include "scheduler/core/FireTest.h"

namespace velmora {

namespace {

// Whether the target second lies in (previous, current] of local seconds.
bool TargetBetween(const DateTime& target, const TickMoment& previous, const TickMoment& current) {
    const std::int64_t targetSecond = target.TotalSeconds();
    return targetSecond > previous.localSecond && targetSecond <= current.localSecond;
}

bool CatchesUp(const TickMoment& previous, const TickMoment& current) {
    const std::int64_t gap = current.epochSecond - previous.epochSecond;
    return gap > 0 && gap <= kMaxCatchUpGap;
}

}  // namespace

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
    return CatchesUp(*previous, current) && TargetBetween(target, *previous, current);
}

bool TickSkipsTarget(const DateTime& target, const std::optional<TickMoment>& previous,
                     const TickMoment& current) {
    return target.IsValid() && previous && !CatchesUp(*previous, current) &&
           TargetBetween(target, *previous, current);
}

}  // namespace velmora
