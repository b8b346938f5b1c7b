#pragma once

#include <QElapsedTimer>

#include <algorithm>

namespace velmora {

// The time one request may spend on the buses, shared by every call it makes,
// so that no request holds the window for longer than its budget.
class BusDeadline {
public:
    // A single call never waits longer than this.
    static constexpr int kCallTimeoutMs = 1000;

    explicit BusDeadline(int budgetMs) : budgetMs_(budgetMs) { timer_.start(); }

    int RemainingMs() const {
        return static_cast<int>(std::max<qint64>(0, budgetMs_ - timer_.elapsed()));
    }
    // How long the next call may wait: a second at most, never past the end.
    int CallTimeoutMs() const { return std::min(kCallTimeoutMs, RemainingMs()); }

private:
    QElapsedTimer timer_;
    int budgetMs_;
};

}  // namespace velmora
