#include "platform/FakeLoginService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFile>
#include <QStringList>

namespace velmora {

namespace {

QString Show(const QVariant& value) {
    if (value.userType() == qMetaTypeId<QDBusVariant>()) {
        return Show(value.value<QDBusVariant>().variant());
    }
    if (value.userType() == qMetaTypeId<QDBusObjectPath>()) {
        return value.value<QDBusObjectPath>().path();
    }
    if (value.userType() == QMetaType::Bool) {
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    }
    return value.toString();
}

// Methods that do something and answer with nothing.
const QSet<QString> kActions = {
    QStringLiteral("PowerOff"),  QStringLiteral("Reboot"),           QStringLiteral("Suspend"),
    QStringLiteral("Hibernate"), QStringLiteral("TerminateSession"), QStringLiteral("Logout"),
    QStringLiteral("logout"),
};

}  // namespace

QString FakeLoginService::introspect(const QString& /*path*/) const {
    return {};
}

void FakeLoginService::Record(const QDBusMessage& message) const {
    QStringList arguments;
    for (const QVariant& argument : message.arguments()) {
        arguments << Show(argument);
    }
    const QString line = QStringLiteral("%1.%2(%3)\n")
                             .arg(message.interface(), message.member(), arguments.join(u','));
    QFile log(logPath_);
    if (log.open(QIODevice::Append | QIODevice::Unbuffered)) {
        log.write(line.toUtf8());
    }
}

QDBusMessage FakeLoginService::Answer(const QDBusMessage& message) const {
    const QString member = message.member();
    const QVariantList arguments = message.arguments();
    if (kActions.contains(member)) {
        return message.createReply();
    }
    if (member == QLatin1String("CanPowerOff")) {
        return message.createReply(behaviour_.canPowerOff);
    }
    if (member == QLatin1String("CanReboot")) {
        return message.createReply(behaviour_.canReboot);
    }
    const bool knows = !behaviour_.sessionId.isEmpty();
    if (member == QLatin1String("GetSessionByPID") && knows) {
        return message.createReply(
            QVariant::fromValue(QDBusObjectPath(QLatin1String(kSessionPath))));
    }
    if (member == QLatin1String("GetSession") && knows && !arguments.isEmpty() &&
        arguments.first().toString() == behaviour_.sessionId) {
        return message.createReply(
            QVariant::fromValue(QDBusObjectPath(QLatin1String(kSessionPath))));
    }
    if (member == QLatin1String("Get") && knows && message.path() == QLatin1String(kSessionPath) &&
        arguments.size() == 2 && arguments.at(1).toString() == QLatin1String("Id")) {
        return message.createReply(QVariant::fromValue(QDBusVariant(behaviour_.sessionId)));
    }
    if (member.startsWith(QLatin1String("GetSession"))) {
        return message.createErrorReply(QStringLiteral("org.freedesktop.login1.NoSuchSession"),
                                        QStringLiteral("no session"));
    }
    return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                    member);
}

bool FakeLoginService::handleMessage(const QDBusMessage& message,
                                     const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage) {
        return false;
    }
    Record(message);
    if (behaviour_.hangAll || behaviour_.hanging.contains(message.member())) {
        return true;  // taken, and never answered
    }
    if (behaviour_.failing.contains(message.member())) {
        connection.send(message.createErrorReply(
            QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"), QStringLiteral("refused")));
        return true;
    }
    connection.send(Answer(message));
    return true;
}

}  // namespace velmora
