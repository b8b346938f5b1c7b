#include "scheduler/SecondTimer.h"

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

SecondTimer::SecondTimer(int id, const Clock& clock, QObject* parent)
    : QObject(parent), id_(id), clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTimer::OnTimeout);
}

void SecondTimer::Start() { ScheduleNext(); }

void SecondTimer::Stop() { timer_.stop(); }

void SecondTimer::ScheduleNext() {
    const auto intoSecond = static_cast<int>(clock_.NowMilliseconds() % 1000);
    timer_.start(1000 - intoSecond + kMarginMs);
}

void SecondTimer::OnTimeout() {
    const auto intoSecond = static_cast<int>(clock_.NowMilliseconds() % 1000);
    if (intoSecond >= 1000 - kEarlyWindowMs) {
        ScheduleNext();
        return;
    }
    // Re-arm before ticking: the tick may open a modal box whose nested loop
    // must keep the ticks coming.
    ScheduleNext();
    Q_EMIT Tick(id_);
}

}  // namespace velmora
