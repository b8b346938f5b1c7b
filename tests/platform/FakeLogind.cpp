// A stand-in for the login manager on the --system bus and, with --gnome, the
// desktop session manager on the --session bus. The bus tests run it as a
// process of its own, so the blocking calls of the code under test are
// answered. It prints "ready" once it owns its names, then writes every call
// as "interface.Method(arg,arg)" to the --log file before it answers:
// CanPowerOff and CanReboot with --can (default "yes"), the methods listed in
// --fail M1,M2 with an access-denied error, with --hang nothing ever, and
// everything else as done. The caller's session is "7".
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

class FakeLogind : public QDBusVirtualObject {
public:
    explicit FakeLogind(const QMap<QString, QString>& options) : options_(options) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        if (call.type() != QDBusMessage::MethodCallMessage) {
            return false;
        }
        QStringList arguments;
        for (const QVariant& argument : call.arguments()) {
            arguments << argument.toString();
        }
        QFile log(options_.value("log"));
        if (log.open(QIODevice::Append)) {
            log.write(QStringLiteral("%1.%2(%3)\n")
                          .arg(call.interface(), call.member(), arguments.join(u','))
                          .toUtf8());
        }
        log.close();  // written before the caller can see an answer
        const QString method = call.member();
        if (options_.contains("hang")) {
            return true;  // taken, and never answered
        }
        if (options_.value("fail").split(u',').contains(method)) {
            bus.send(call.createErrorReply("org.freedesktop.DBus.Error.AccessDenied", "refused"));
        } else if (method.startsWith(QLatin1String("Can"))) {
            bus.send(call.createReply(options_.value("can", "yes")));
        } else if (method == QLatin1String("GetSessionByPID")) {
            bus.send(call.createReply(
                QVariant::fromValue(QDBusObjectPath("/org/freedesktop/login1/session/7"))));
        } else if (method == QLatin1String("Get")) {  // the Id property of that session
            bus.send(call.createReply(QVariant::fromValue(QDBusVariant("7"))));
        } else {
            bus.send(call.createReply());
        }
        return true;
    }

private:
    QMap<QString, QString> options_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QMap<QString, QString> options;  // "--name [value]"
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString name = args[i].mid(2);
        const bool valued = i + 1 < args.size() && !args[i + 1].startsWith(QLatin1String("--"));
        options[name] = valued ? args[++i] : QString();
    }
    FakeLogind fake(options);
    auto serve = [&fake](const QString& address, const QString& name) {
        QDBusConnection bus = QDBusConnection::connectToBus(address, name);
        return bus.registerVirtualObject("/org", &fake, QDBusConnection::SubPath) &&
               bus.interface()->registerService(name).value() ==
                   QDBusConnectionInterface::ServiceRegistered;
    };
    if (!serve(options.value("system"), "org.freedesktop.login1") ||
        (options.contains("gnome") &&
         !serve(options.value("session"), "org.gnome.SessionManager"))) {
        std::fprintf(stderr, "fake login service: cannot own its names\n");
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
