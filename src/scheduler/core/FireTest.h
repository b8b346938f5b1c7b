#pragma once

#include <cstdint>
#include <optional>

#include "app/core/DateTime.h"

namespace velmora {

// One tick's reading of the clock: the real (epoch) second, and the local
// calendar time of that second as whole seconds of the date-time value.
struct TickMoment {
    std::int64_t epochSecond = 0;
    std::int64_t localSecond = 0;
};

// The longest real gap between two ticks across which a target second that
// no tick landed in still fires.
inline constexpr std::int64_t kMaxCatchUpGap = 5;

// Whether the tick at `now` (its moment `current`) reaches the target: when
// its calendar second equals the target's, or when the target second lies
// after the previous tick's local second and no later than this tick's,
// provided the previous tick was at most kMaxCatchUpGap real seconds before.
// A long gap (suspend, clock set forward) or a clock set backward catches
// nothing up; an invalid target never fires.
bool TickReachesTarget(const DateTime& target, const DateTime& now,
                       const std::optional<TickMoment>& previous, const TickMoment& current);

// Whether the target second lies after the previous tick's local second and
// no later than this tick's while the ticks were too far apart to catch it
// up (or the real clock went backward): a target the gap rule skipped.
bool TickSkipsTarget(const DateTime& target, const std::optional<TickMoment>& previous,
                     const TickMoment& current);

}  // namespace velmora
