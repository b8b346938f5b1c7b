#include "platform/linux/DesktopLogout.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariant>

#include "platform/linux/BusLink.h"
#include "platform/linux/BusOutcome.h"

namespace velmora {

struct DesktopManager {
    const char* service;
    const char* path;
    const char* interface;
    const char* method;
    QVariantList (*arguments)();
};

namespace {

const DesktopManager kManagers[] = {
    // Mode 2: log out at once, ignoring anything that would hold it back.
    {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager", "Logout",
     [] { return QVariantList{QVariant::fromValue(2u)}; }},
    {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", [] { return QVariantList{}; }},
    // No confirmation, plain logout, now.
    {"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface", "logout",
     [] {
         return QVariantList{0, 0, 2};
     }},
    // No dialog, no saving of the session.
    {"org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager", "Logout",
     [] {
         return QVariantList{false, false};
     }},
};

}  // namespace

const DesktopManager* DesktopLogout::FindManager(const BusDeadline& deadline) {
    const QDBusMessage reply = bus_.Call(
        QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames")),
        deadline);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return nullptr;
    }
    const QStringList names = reply.arguments().constFirst().toStringList();
    for (const DesktopManager& manager : kManagers) {
        if (names.contains(QLatin1String(manager.service))) {
            return &manager;
        }
    }
    return nullptr;
}

bool DesktopLogout::Available(const BusDeadline& deadline) {
    return FindManager(deadline) != nullptr;
}

std::optional<SessionOutcome> DesktopLogout::Request(const BusDeadline& deadline) {
    const DesktopManager* manager = FindManager(deadline);
    if (manager == nullptr) {
        return std::nullopt;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(manager->service), QLatin1String(manager->path),
        QLatin1String(manager->interface), QLatin1String(manager->method));
    call.setArguments(manager->arguments());
    return OutcomeOf(bus_.Call(call, deadline));
}

}  // namespace velmora
