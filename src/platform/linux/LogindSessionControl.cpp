#include "platform/linux/LogindSessionControl.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariant>

#include <unistd.h>

#include <cstdlib>
#include <optional>

namespace velmora {

namespace {

const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kLoginPath = QStringLiteral("/org/freedesktop/login1");
const QString kLoginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kLoginSession = QStringLiteral("org.freedesktop.login1.Session");

QDBusMessage ManagerCall(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(kLogin, kLoginPath, kLoginManager, method);
    call.setArguments(arguments);
    return call;
}

bool IsReply(const QDBusMessage& message) {
    return message.type() == QDBusMessage::ReplyMessage;
}

// The first answer value of a normal reply, or an invalid value.
QVariant FirstValue(const QDBusMessage& message) {
    if (!IsReply(message) || message.arguments().isEmpty()) {
        return {};
    }
    return message.arguments().constFirst();
}

QString SessionIdFromEnvironment() {
    const char* id = std::getenv("XDG_SESSION_ID");
    return id == nullptr ? QString() : QString::fromLocal8Bit(id);
}

}  // namespace

LogindSessionControl::LogindSessionControl()
    : system_(BusLink::Bus::System), session_(BusLink::Bus::Session), desktop_(session_) {}

bool LogindSessionControl::Allowed(const QString& question, bool interactive,
                                   const BusDeadline& deadline) {
    const QString answer = FirstValue(system_.Call(ManagerCall(question), deadline)).toString();
    return answer == QLatin1String("yes") || (interactive && answer == QLatin1String("challenge"));
}

bool LogindSessionControl::Ask(const QString& method, const QVariantList& arguments,
                               const BusDeadline& deadline) {
    return IsReply(system_.Call(ManagerCall(method, arguments), deadline));
}

QString LogindSessionControl::CallerSession(const BusDeadline& deadline) {
    const QString fromEnvironment = SessionIdFromEnvironment();
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    const QVariant path =
        FirstValue(system_.Call(ManagerCall(QStringLiteral("GetSessionByPID"),
                                            {QVariant::fromValue(static_cast<uint>(::getpid()))}),
                                deadline));
    if (!path.canConvert<QDBusObjectPath>()) {
        return {};
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kLogin, path.value<QDBusObjectPath>().path(),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({kLoginSession, QStringLiteral("Id")});
    return FirstValue(system_.Call(get, deadline)).value<QDBusVariant>().variant().toString();
}

bool LogindSessionControl::KnowsCallerSession(const BusDeadline& deadline) {
    const QString fromEnvironment = SessionIdFromEnvironment();
    if (!fromEnvironment.isEmpty()) {
        return Ask(QStringLiteral("GetSession"), {fromEnvironment}, deadline);
    }
    return !CallerSession(deadline).isEmpty();
}

bool LogindSessionControl::CanExit(ExitRequest request, bool interactive) {
    const BusDeadline deadline(kRequestBudgetMs);
    switch (request) {
        case ExitRequest::Shutdown:
            return Allowed(QStringLiteral("CanPowerOff"), interactive, deadline);
        case ExitRequest::Reboot:
            return Allowed(QStringLiteral("CanReboot"), interactive, deadline);
        case ExitRequest::Logoff:
            return desktop_.Available(deadline) || KnowsCallerSession(deadline);
    }
    return false;
}

bool LogindSessionControl::Exit(ExitRequest request, bool interactive) {
    const BusDeadline deadline(kRequestBudgetMs);
    switch (request) {
        case ExitRequest::Shutdown:
            return Ask(QStringLiteral("PowerOff"), {interactive}, deadline);
        case ExitRequest::Reboot:
            return Ask(QStringLiteral("Reboot"), {interactive}, deadline);
        case ExitRequest::Logoff: {
            if (const std::optional<bool> done = desktop_.Request(deadline)) {
                return *done;
            }
            const QString id = CallerSession(deadline);
            return !id.isEmpty() && Ask(QStringLiteral("TerminateSession"), {id}, deadline);
        }
    }
    return false;
}

bool LogindSessionControl::ForcePowerOff(bool interactive) {
    // The login manager's power-off is already forced: the fallback is the
    // same request as a shutdown.
    return Exit(ExitRequest::Shutdown, interactive);
}

bool LogindSessionControl::SetSystemPowerState(bool suspend, bool /*force*/, bool interactive) {
    const BusDeadline deadline(kRequestBudgetMs);
    const QDBusMessage reply =
        system_.Call(ManagerCall(suspend ? QStringLiteral("Suspend") : QStringLiteral("Hibernate"),
                                 {interactive}),
                     deadline);
    // The machine may go to sleep before the answer is sent; the call then
    // ends without one, which is the request succeeding.
    return IsReply(reply) ||
           reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply");
}

}  // namespace velmora
