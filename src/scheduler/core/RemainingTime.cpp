#include "scheduler/core/RemainingTime.h"

#include <cmath>

#include "app/core/DateTime.h"

namespace velmora {

namespace {

// Half a second in days.
constexpr double kHalfSecond = 0.5 / 86400.0;

long long Truncate(double x) {
    return static_cast<long long>(std::trunc(x));
}

}  // namespace

double SpanInDays(const DateTime& target, const DateTime& now) {
    if (!target.IsValid() || !now.IsValid()) {
        return 0.0;
    }
    return static_cast<double>(target.TotalSeconds() - now.TotalSeconds()) / 86400.0;
}

RemainingTime SplitRemainingTime(double spanDays) {
    const double s = spanDays >= 0 ? spanDays + kHalfSecond : spanDays - kHalfSecond;
    RemainingTime r;
    r.days = Truncate(spanDays);
    r.hours = Truncate(s * 24.0) % 24;
    r.minutes = Truncate(s * 1440.0) % 60;
    r.seconds = Truncate(s * 86400.0) % 60;
    return r;
}

std::string FormatRemainingTime(const RemainingTime& r) {
    // "DD:HH:MM:SS", made anew every second.
    std::string text;
    AppendTwoDigits(text, r.days);
    for (const long long field : {r.hours, r.minutes, r.seconds}) {
        text += ':';
        AppendTwoDigits(text, field);
    }
    return text;
}

}  // namespace velmora
