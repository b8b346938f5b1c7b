#include "platform/linux/LogindSessionControl.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariant>

#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "platform/linux/BusOutcome.h"

namespace velmora {

namespace {

const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kLoginPath = QStringLiteral("/org/freedesktop/login1");
const QString kLoginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kLoginSession = QStringLiteral("org.freedesktop.login1.Session");
// The locks that hold back ending the session and going to sleep.
const QString kShutdownLock = QStringLiteral("shutdown");
const QString kSleepLock = QStringLiteral("sleep");

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

SessionOutcome LogindSessionControl::Allowed(const QString& question, bool interactive,
                                             const BusDeadline& deadline) {
    const QDBusMessage reply = system_.Call(ManagerCall(question), deadline);
    if (!IsReply(reply)) {
        return OutcomeOf(reply);
    }
    const QString answer = FirstValue(reply).toString();
    if (answer == QLatin1String("yes") || (interactive && answer == QLatin1String("challenge"))) {
        return {};
    }
    if (answer == QLatin1String("challenge")) {
        return {SessionFailure::NeedsPassword, {}, {}};
    }
    if (answer == QLatin1String("na")) {
        return {SessionFailure::NotSupported, {}, {}};
    }
    return {SessionFailure::NotAllowed, {}, {}};
}

SessionOutcome LogindSessionControl::Ask(const QString& method, const QVariantList& arguments,
                                         const BusDeadline& deadline) {
    return OutcomeOf(system_.Call(ManagerCall(method, arguments), deadline));
}

SessionOutcome LogindSessionControl::WithBlockers(SessionOutcome outcome, const QString& lock,
                                                  const BusDeadline& deadline) {
    // A bus or service that is not there, or that did not answer, is not
    // asked again.
    if (outcome.Ok() || outcome.failure == SessionFailure::Unreachable ||
        outcome.failure == SessionFailure::NoAnswer) {
        return outcome;
    }
    outcome.blockers =
        BlockersIn(system_.Call(ManagerCall(QStringLiteral("ListInhibitors")), deadline), lock);
    return outcome;
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
        return Ask(QStringLiteral("GetSession"), {fromEnvironment}, deadline).Ok();
    }
    return !CallerSession(deadline).isEmpty();
}

SessionOutcome LogindSessionControl::CanExit(ExitRequest request, bool interactive) {
    const BusDeadline deadline(kRequestBudgetMs);
    switch (request) {
        case ExitRequest::Shutdown:
            return WithBlockers(Allowed(QStringLiteral("CanPowerOff"), interactive, deadline),
                                kShutdownLock, deadline);
        case ExitRequest::Reboot:
            return WithBlockers(Allowed(QStringLiteral("CanReboot"), interactive, deadline),
                                kShutdownLock, deadline);
        case ExitRequest::Logoff:
            if (desktop_.Available(deadline) || KnowsCallerSession(deadline)) {
                return {};
            }
            return WithBlockers({SessionFailure::NoLogoffPath, {}, {}}, kShutdownLock, deadline);
    }
    return {SessionFailure::NotSupported, {}, {}};
}

SessionOutcome LogindSessionControl::Exit(ExitRequest request, bool interactive) {
    const BusDeadline deadline(kRequestBudgetMs);
    SessionOutcome outcome;
    switch (request) {
        case ExitRequest::Shutdown:
            outcome = Ask(QStringLiteral("PowerOff"), {interactive}, deadline);
            break;
        case ExitRequest::Reboot:
            outcome = Ask(QStringLiteral("Reboot"), {interactive}, deadline);
            break;
        case ExitRequest::Logoff:
            if (std::optional<SessionOutcome> done = desktop_.Request(deadline)) {
                outcome = std::move(*done);
            } else if (const QString id = CallerSession(deadline); !id.isEmpty()) {
                outcome = Ask(QStringLiteral("TerminateSession"), {id}, deadline);
            } else {
                outcome = {SessionFailure::NoLogoffPath, {}, {}};
            }
            break;
    }
    return WithBlockers(std::move(outcome), kShutdownLock, deadline);
}

SessionOutcome LogindSessionControl::ForcePowerOff(bool interactive) {
    // The login manager's power-off is already forced: the fallback is the
    // same request as a shutdown.
    return Exit(ExitRequest::Shutdown, interactive);
}

SessionOutcome LogindSessionControl::SetSystemPowerState(bool suspend, bool /*force*/,
                                                         bool interactive) {
    const BusDeadline deadline(kRequestBudgetMs);
    const QDBusMessage reply =
        system_.Call(ManagerCall(suspend ? QStringLiteral("Suspend") : QStringLiteral("Hibernate"),
                                 {interactive}),
                     deadline);
    // The machine may go to sleep before the answer is sent; the call then
    // ends without one, which is the request succeeding.
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply")) {
        return {};
    }
    return WithBlockers(OutcomeOf(reply), kSleepLock, deadline);
}

}  // namespace velmora
