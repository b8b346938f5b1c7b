#pragma once

#include <QDBusMessage>
#include <QString>

#include <string>

#include "platform/linux/BusDeadline.h"

namespace velmora {

// A connection to the system or the session bus, opened when first needed and
// opened anew when it was lost (the bus restarted while a schedule waited).
// It lives under a connection name of its own, so it never shares the
// library's process-wide default connection and its cached failures.
class BusLink {
public:
    enum class Bus { System, Session };

    explicit BusLink(Bus bus);
    ~BusLink();
    BusLink(const BusLink&) = delete;
    BusLink& operator=(const BusLink&) = delete;

    // Sends a method call and waits for its answer until the deadline, and
    // never longer than a second. When the bus cannot be reached in time the
    // answer is an error message; nothing is shown or logged.
    QDBusMessage Call(const QDBusMessage& call, const BusDeadline& deadline);

    // The name of the open connection, connecting first when needed within
    // the deadline; empty when the bus cannot be reached. For calls that do
    // not wait for their answer and for signals.
    QString Connect(const BusDeadline& deadline);

    // The address this link connects to, from the environment as the D-Bus
    // library reads it; empty when there is no such bus.
    std::string Address() const;

private:
    bool Open(const BusDeadline& deadline);
    void Close();

    Bus bus_;
    QString name_;  // empty while no connection is open
};

}  // namespace velmora
