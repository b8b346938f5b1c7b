#include "platform/linux/BusLink.h"

#include <QDBusConnection>
#include <QDBusError>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>

#include "app/core/Environment.h"
#include "platform/linux/BusProbe.h"

namespace velmora {

namespace {

// The longest wait for a bus to show it is alive before connecting to it.
constexpr int kProbeTimeoutMs = 250;

constexpr char kDefaultSystemBus[] = "unix:path=/var/run/dbus/system_bus_socket";

bool IsSocket(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

QString NextConnectionName(BusLink::Bus bus) {
    static std::atomic<int> counter{0};
    return QStringLiteral("velmora-%1-%2")
        .arg(bus == BusLink::Bus::System ? QStringLiteral("system") : QStringLiteral("session"))
        .arg(++counter);
}

}  // namespace

BusLink::BusLink(Bus bus) : bus_(bus) {}

BusLink::~BusLink() {
    Close();
}

std::string BusLink::Address() const {
    if (bus_ == Bus::System) {
        const std::string address = EnvironmentValue("DBUS_SYSTEM_BUS_ADDRESS");
        return address.empty() ? kDefaultSystemBus : address;
    }
    const std::string address = EnvironmentValue("DBUS_SESSION_BUS_ADDRESS");
    if (!address.empty()) {
        return address;
    }
    // Without the variable, the session bus is the per-user socket of the
    // runtime directory when there is one. No new bus is started: a bus
    // started just now holds no session manager.
    const std::string runtime = EnvironmentValue("XDG_RUNTIME_DIR");
    if (!runtime.empty() && IsSocket(runtime + "/bus")) {
        return "unix:path=" + BusProbe::EscapeValue(runtime + "/bus");
    }
    return {};
}

bool BusLink::Open(const BusDeadline& deadline) {
    if (!name_.isEmpty()) {
        if (QDBusConnection(name_).isConnected()) {
            return true;
        }
        Close();
    }
    const std::string address = Address();
    const int probeMs = std::min(kProbeTimeoutMs, deadline.RemainingMs());
    if (address.empty() || probeMs <= 0 || !BusProbe::Answers(address, probeMs)) {
        return false;
    }
    name_ = NextConnectionName(bus_);
    if (QDBusConnection::connectToBus(QString::fromStdString(address), name_).isConnected()) {
        return true;
    }
    Close();
    return false;
}

void BusLink::Close() {
    if (!name_.isEmpty()) {
        QDBusConnection::disconnectFromBus(name_);
        name_.clear();
    }
}

QString BusLink::Connect(const BusDeadline& deadline) {
    return Open(deadline) ? name_ : QString();
}

QDBusMessage BusLink::Call(const QDBusMessage& call, const BusDeadline& deadline) {
    if (!Open(deadline)) {
        return call.createErrorReply(QDBusError::Disconnected, QStringLiteral("no bus"));
    }
    const int timeoutMs = deadline.CallTimeoutMs();
    if (timeoutMs <= 0) {
        return call.createErrorReply(QDBusError::Timeout, QStringLiteral("out of time"));
    }
    return QDBusConnection(name_).call(call, QDBus::Block, timeoutMs);
}

}  // namespace velmora
