#pragma once

#include <QObject>
#include <QTimer>

namespace velmora {

class Clock;

// A one-second timer whose ticks come just after the start of each
// wall-clock second, so every second of the clock gets its own tick and a
// target second is never skipped by timer drift.
class SecondTimer : public QObject {
    Q_OBJECT
public:
    SecondTimer(int id, const Clock& clock, QObject* parent = nullptr);

    int Id() const { return id_; }
    void Start();  // starts, or restarts, the ticks
    void Stop();
    bool IsActive() const { return timer_.isActive(); }

Q_SIGNALS:
    void Tick(int id);

private:
    void ScheduleNext();
    void OnTimeout();

    int id_;
    const Clock& clock_;
    QTimer timer_;
};

}  // namespace velmora
