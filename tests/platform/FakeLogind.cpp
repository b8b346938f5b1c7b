// The login manager on the system bus and, with --gnome, the desktop session
// manager on the session bus (both from the D-Bus address variables), in a
// process of its own so blocking calls are answered. Creates "<log>.ready" once
// it owns its names, then logs each call as "interface.Method(arg,arg)" to
// --log before it answers: Can... with --can
// (default "yes"), ListInhibitors with the locks of --inhibitors
// "what|who|why|mode;...", methods listed in --fail M1,M2 with an error, with
// --hang nothing ever, all else as done. The caller's session is "7". With
// --notifications it is the desktop's notification service on the session bus
// too: Notify answers the id 1, and with --invoke KEY that notice's action
// KEY is then chosen at once.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <QMap>

#include <cstdio>

// One lock as ListInhibitors gives it: what, who, why, mode, uid, pid.
struct Inhibitor {
    QString what, who, why, mode;
    uint uid = 1000, pid = 42;
};
Q_DECLARE_METATYPE(Inhibitor)

QDBusArgument& operator<<(QDBusArgument& out, const Inhibitor& i) {
    out.beginStructure();
    out << i.what << i.who << i.why << i.mode << i.uid << i.pid;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, Inhibitor&) {
    return in;  // never read here
}

namespace {

// An argument as the log shows it: a list joined with "|", Notify's hints as
// "key=number".
QString Text(const QVariant& value) {
    if (value.metaType() != QMetaType::fromType<QDBusArgument>()) {
        return value.metaType() == QMetaType::fromType<QStringList>()
                   ? value.toStringList().join(u'|')
                   : value.toString();
    }
    QVariantMap hints;
    value.value<QDBusArgument>() >> hints;
    QStringList entries;
    for (auto it = hints.begin(); it != hints.end(); ++it) {
        entries << it.key() + u'=' + QString::number(it->toInt());
    }
    return entries.join(u'|');
}

struct FakeLogind : QDBusVirtualObject {
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        QFile log(options.value("log"));  // unbuffered: written before the caller sees an answer
        if (log.open(QIODevice::Append | QIODevice::Unbuffered)) {
            QStringList arguments;
            for (const QVariant& argument : call.arguments()) {
                arguments << Text(argument);
            }
            log.write(QString("%1.%2(%3)\n")
                          .arg(call.interface(), call.member(), arguments.join(u','))
                          .toUtf8());
        }
        const QString method = call.member();
        if (options.contains("hang")) {
            return true;  // taken, and never answered
        }
        if (options.value("fail").split(u',').contains(method)) {
            bus.send(call.createErrorReply("org.freedesktop.DBus.Error.AccessDenied", "refused"));
        } else if (method.startsWith("Can")) {
            bus.send(call.createReply(options.value("can", "yes")));
        } else if (method == "GetSessionByPID") {
            bus.send(call.createReply(
                QVariant::fromValue(QDBusObjectPath("/org/freedesktop/login1/session/7"))));
        } else if (method == "Get") {  // the Id property of that session
            bus.send(call.createReply(QVariant::fromValue(QDBusVariant("7"))));
        } else if (method == "ListInhibitors") {
            QList<Inhibitor> locks;
            for (const QString& lock :
                 options.value("inhibitors").split(u';', Qt::SkipEmptyParts)) {
                const QStringList f = lock.split(u'|');
                locks.append({f.value(0), f.value(1), f.value(2), f.value(3)});
            }
            bus.send(call.createReply(QVariant::fromValue(locks)));
        } else if (method == "Notify") {
            bus.send(call.createReply(1u));
            if (options.contains("invoke")) {
                QDBusMessage chosen = QDBusMessage::createSignal(call.path(), call.interface(),
                                                                 QStringLiteral("ActionInvoked"));
                chosen << 1u << options.value("invoke");
                bus.send(chosen);
            }
        } else {
            bus.send(call.createReply());
        }
        return true;
    }

    QMap<QString, QString> options;  // "--name [value]"
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    qDBusRegisterMetaType<Inhibitor>();
    qDBusRegisterMetaType<QList<Inhibitor>>();
    FakeLogind fake;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        QString& value = fake.options[args[i].mid(2)];
        value = i + 1 < args.size() && !args[i + 1].startsWith("--") ? args[++i] : QString();
    }
    auto serve = [&fake](const QString& address, const QString& name) {
        QDBusConnection bus = QDBusConnection::connectToBus(address, name);
        return bus.registerVirtualObject("/org", &fake, QDBusConnection::SubPath) &&
               bus.interface()->registerService(name).value() ==
                   QDBusConnectionInterface::ServiceRegistered;
    };
    const QString system = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    const QString session = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!serve(system, "org.freedesktop.login1") ||
        (fake.options.contains("gnome") && !serve(session, "org.gnome.SessionManager")) ||
        (fake.options.contains("notifications") &&
         !serve(session, "org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "fake login service: cannot own its names\n");
        return 2;
    }
    QFile(fake.options.value("log") + ".ready").open(QIODevice::WriteOnly);
    return app.exec();
}
