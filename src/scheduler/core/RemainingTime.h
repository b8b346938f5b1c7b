#pragma once

#include <string>

#include "app/core/DateTime.h"

namespace velmora {

// The countdown shown while a schedule is armed. For a target in the past
// every non-zero component is negative.
struct RemainingTime {
    long long days = 0;
    long long hours = 0;    // -23 to 23
    long long minutes = 0;  // -59 to 59
    long long seconds = 0;  // -59 to 59
};

// target - now in days, taken from the whole seconds of both values so that
// a span of exactly k days is exactly k. 0 when either value is invalid.
double SpanInDays(const DateTime& target, const DateTime& now);

// Splits a span in days: the days field is the span truncated toward zero;
// hours, minutes and seconds come from the span moved half a second away
// from zero, truncated toward zero, with remainders that keep the sign.
RemainingTime SplitRemainingTime(double spanDays);

// "%02d:%02d:%02d:%02d" of days, hours, minutes and seconds ("00:-3:-4"
// style for negative fields; the days field widens beyond 99).
std::string FormatRemainingTime(const RemainingTime& remaining);

}  // namespace velmora
