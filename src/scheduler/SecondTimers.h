#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

namespace velmora {

class Clock;

// The main window's one-second timers, addressed by their ids. Their ticks
// come just after the start of each wall-clock second, so every second of
// the clock gets a tick of every running timer and a target second is never
// skipped by timer drift. The running timers share one system timer, so
// they all tick in the same wake-up, in ascending order of their ids; the
// owner then hears once that the wake-up's ticks are done, so work that
// needs doing once a second is done once, however many timers ticked.
class SecondTimers : public QObject {
    Q_OBJECT
public:
    SecondTimers(const Clock& clock, std::function<void(int timerId)> onTick,
                 std::function<void()> afterTicks, QObject* parent = nullptr);

    void Start(int timerId);  // starts, or restarts, the timer's ticks
    void Stop(int timerId);
    bool IsActive(int timerId) const;

private:
    void ScheduleNext();
    void OnTimeout();

    const Clock& clock_;
    std::function<void(int)> onTick_;
    std::function<void()> afterTicks_;
    std::vector<int> running_;  // ascending
    QTimer timer_;
};

}  // namespace velmora
