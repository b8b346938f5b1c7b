#include "scheduler/SecondTimers.h"

#include <algorithm>

#include "platform/Clock.h"

namespace velmora {

namespace {
// How far past the second's start a tick is aimed, so a timer that comes a
// millisecond early still lands in the new second.
constexpr int kMarginMs = 2;
// A timeout this close before the next second is early: it waits for that
// second instead of ticking twice in the old one.
constexpr int kEarlyWindowMs = 50;
}  // namespace

SecondTimers::SecondTimers(const Clock& clock, std::function<void(int)> onTick,
                           std::function<void()> afterTicks, QObject* parent)
    : QObject(parent),
      clock_(clock),
      onTick_(std::move(onTick)),
      afterTicks_(std::move(afterTicks)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTimers::OnTimeout);
}

void SecondTimers::Start(int timerId) {
    const auto at = std::lower_bound(running_.begin(), running_.end(), timerId);
    if (at == running_.end() || *at != timerId) {
        running_.insert(at, timerId);
    }
    // Already aimed at the next second's start when another timer runs.
    if (!timer_.isActive()) {
        ScheduleNext();
    }
}

void SecondTimers::Stop(int timerId) {
    std::erase(running_, timerId);
    if (running_.empty()) {
        timer_.stop();
    }
}

bool SecondTimers::IsActive(int timerId) const {
    return std::find(running_.begin(), running_.end(), timerId) != running_.end();
}

void SecondTimers::ScheduleNext() {
    const auto intoSecond = static_cast<int>(clock_.NowMilliseconds() % 1000);
    timer_.start(1000 - intoSecond + kMarginMs);
}

void SecondTimers::OnTimeout() {
    const auto intoSecond = static_cast<int>(clock_.NowMilliseconds() % 1000);
    if (intoSecond >= 1000 - kEarlyWindowMs) {
        ScheduleNext();
        return;
    }
    // Re-arm before ticking: a tick may open a modal box whose nested loop
    // must keep the ticks coming.
    ScheduleNext();
    // A timer that an earlier tick of this wake-up stopped does not tick.
    const std::vector<int> ticking = running_;
    bool ticked = false;
    for (const int timerId : ticking) {
        if (IsActive(timerId)) {
            ticked = true;
            onTick_(timerId);
        }
    }
    if (ticked) {
        afterTicks_();
    }
}

}  // namespace velmora
