// A stand-in for the login manager and the desktop session managers, run as
// its own process on private buses by the tests. It claims its names, prints
// "ready" and then answers (or, as asked, refuses or ignores) every call,
// logging each one.
//
//   --system ADDR        bus for org.freedesktop.login1 (left out with --no-login)
//   --session ADDR       bus for the session managers given with --manager
//   --manager NAME       gnome, kde, ksmserver or xfce; may be repeated
//   --log FILE           where the calls are written, one per line
//   --can-power-off S    answer of CanPowerOff (default yes)
//   --can-reboot S       answer of CanReboot (default yes)
//   --fail M1,M2         methods answered with an access-denied error
//   --hang M1,M2|all     methods never answered
//   --session-id ID      the caller's session id; empty: the caller has none
//   --no-login           do not claim the login manager's name
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/FakeLoginService.h"

namespace {

struct ManagerName {
    const char* option;
    const char* service;
    const char* path;
};

constexpr ManagerName kManagers[] = {
    {"gnome", "org.gnome.SessionManager", "/org/gnome/SessionManager"},
    {"kde", "org.kde.Shutdown", "/Shutdown"},
    {"ksmserver", "org.kde.ksmserver", "/KSMServer"},
    {"xfce", "org.xfce.SessionManager", "/org/xfce/SessionManager"},
};

QSet<QString> MethodSet(const QString& list) {
    const QStringList names = list.split(u',', Qt::SkipEmptyParts);
    return {names.begin(), names.end()};
}

int Fail(const QString& what) {
    std::fprintf(stderr, "fake login service: %s\n", qPrintable(what));
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption system(QStringLiteral("system"), QString(), QStringLiteral("addr"));
    const QCommandLineOption session(QStringLiteral("session"), QString(), QStringLiteral("addr"));
    const QCommandLineOption manager(QStringLiteral("manager"), QString(), QStringLiteral("name"));
    const QCommandLineOption log(QStringLiteral("log"), QString(), QStringLiteral("file"));
    const QCommandLineOption canPowerOff(QStringLiteral("can-power-off"), QString(),
                                         QStringLiteral("answer"), QStringLiteral("yes"));
    const QCommandLineOption canReboot(QStringLiteral("can-reboot"), QString(),
                                       QStringLiteral("answer"), QStringLiteral("yes"));
    const QCommandLineOption fail(QStringLiteral("fail"), QString(), QStringLiteral("methods"));
    const QCommandLineOption hang(QStringLiteral("hang"), QString(), QStringLiteral("methods"));
    const QCommandLineOption sessionId(QStringLiteral("session-id"), QString(),
                                       QStringLiteral("id"), QStringLiteral("7"));
    const QCommandLineOption noLogin(QStringLiteral("no-login"));
    parser.addOptions(
        {system, session, manager, log, canPowerOff, canReboot, fail, hang, sessionId, noLogin});
    parser.process(app);

    velmora::FakeBehaviour behaviour;
    behaviour.canPowerOff = parser.value(canPowerOff);
    behaviour.canReboot = parser.value(canReboot);
    behaviour.failing = MethodSet(parser.value(fail));
    behaviour.hanging = MethodSet(parser.value(hang));
    behaviour.hangAll = parser.value(hang) == QLatin1String("all");
    behaviour.sessionId = parser.value(sessionId);
    const QString logPath = parser.value(log);

    std::vector<std::unique_ptr<velmora::FakeLoginService>> services;
    auto serve = [&](QDBusConnection& bus, const QString& name, const QString& path) {
        services.push_back(std::make_unique<velmora::FakeLoginService>(behaviour, logPath));
        return bus.registerVirtualObject(path, services.back().get(), QDBusConnection::SubPath) &&
               bus.interface()->registerService(name).value() ==
                   QDBusConnectionInterface::ServiceRegistered;
    };

    QDBusConnection systemBus =
        QDBusConnection::connectToBus(parser.value(system), QStringLiteral("fake-system"));
    if (!parser.isSet(noLogin) &&
        (!systemBus.isConnected() || !serve(systemBus, QStringLiteral("org.freedesktop.login1"),
                                            QStringLiteral("/org/freedesktop/login1")))) {
        return Fail(QStringLiteral("cannot serve the login manager"));
    }
    QDBusConnection sessionBus =
        QDBusConnection::connectToBus(parser.value(session), QStringLiteral("fake-session"));
    for (const QString& wanted : parser.values(manager)) {
        bool served = false;
        for (const ManagerName& known : kManagers) {
            if (wanted == QLatin1String(known.option)) {
                served = sessionBus.isConnected() &&
                         serve(sessionBus, QLatin1String(known.service), QLatin1String(known.path));
            }
        }
        if (!served) {
            return Fail(QStringLiteral("cannot serve session manager ") + wanted);
        }
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
