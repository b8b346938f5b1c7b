// The login manager on the --system bus and, with --gnome, the desktop session
// manager on the --session bus, in a process of its own so blocking calls are
// answered. Prints "ready" once it owns its names, then logs each call as
// "interface.Method(arg,arg)" to --log before it answers: Can... with --can
// (default "yes"), methods listed in --fail M1,M2 with an error, with --hang
// nothing ever, all else as done. The caller's session is "7".
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <QMap>

#include <cstdio>

namespace {

struct FakeLogind : QDBusVirtualObject {
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        QFile log(options.value("log"));  // unbuffered: written before the caller sees an answer
        if (log.open(QIODevice::Append | QIODevice::Unbuffered)) {
            log.write(QString("%1.%2(%3)\n")
                          .arg(call.interface(), call.member(),
                               QVariant(call.arguments()).toStringList().join(u','))
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
    if (!serve(fake.options.value("system"), "org.freedesktop.login1") ||
        (fake.options.contains("gnome") &&
         !serve(fake.options.value("session"), "org.gnome.SessionManager"))) {
        std::fprintf(stderr, "fake login service: cannot own its names\n");
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
