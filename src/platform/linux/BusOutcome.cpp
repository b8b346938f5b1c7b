#include "platform/linux/BusOutcome.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QStringList>

namespace velmora {

namespace {

// A refusal's own words are shown to the user: a line of them at most.
constexpr qsizetype kMaxDetail = 200;

}  // namespace

SessionOutcome OutcomeOf(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return {};
    }
    switch (QDBusError(reply).type()) {
        case QDBusError::NoReply:
        case QDBusError::Timeout:
        case QDBusError::TimedOut:
            return {SessionFailure::NoAnswer, {}, {}};
        case QDBusError::Disconnected:
        case QDBusError::NoServer:
        case QDBusError::NoNetwork:
        case QDBusError::ServiceUnknown:
            return {SessionFailure::Unreachable, {}, {}};
        default:
            break;
    }
    if (reply.errorName() ==
        QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")) {
        return {SessionFailure::NeedsPassword, {}, {}};
    }
    QString detail = reply.errorMessage().simplified();
    if (detail.size() > kMaxDetail) {
        detail = detail.left(kMaxDetail) + QStringLiteral("...");
    }
    return {SessionFailure::Refused, detail.toStdString(), {}};
}

std::vector<SessionBlocker> BlockersIn(const QDBusMessage& reply, const QString& what) {
    std::vector<SessionBlocker> blockers;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty() ||
        reply.signature() != QLatin1String("a(ssssuu)")) {
        return blockers;
    }
    // Each lock: what it holds back (":"-separated), who, why, its mode, and
    // the user and process holding it.
    const auto list = reply.arguments().constFirst().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString locks, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> locks >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        if (mode == QLatin1String("block") && locks.split(u':').contains(what)) {
            blockers.push_back({who.simplified().toStdString(), why.simplified().toStdString()});
        }
    }
    list.endArray();
    return blockers;
}

}  // namespace velmora
