// The login-manager backend against the fake login service on private buses:
// the calls each request makes, and how it ends when a bus or the service fails.
#include <QElapsedTimer>
#include <QLocalServer>

#include <unistd.h>

#include <cstdio>
#include <functional>

#include "platform/BusSandbox.h"
#include "platform/linux/LogindSessionControl.h"

using namespace velmora;
using Request = std::function<SessionOutcome(LogindSessionControl&)>;

class LogindSessionControlTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { qunsetenv("XDG_SESSION_ID"); }

    // Scheduled requests are never interactive, so only an interactive one
    // counts a "challenge" as allowed. Logoff goes to the desktop's session
    // manager when there is one, whose refusal is final; otherwise the login
    // manager ends the caller's session, from XDG_SESSION_ID or else the pid.
    // (What each performed action sends is in the actions' test over the bus.)
    void eachRequestReachesTheServiceAsItsCalls() {
        const auto can = [](ExitRequest r, bool interactive) {
            return [=](LogindSessionControl& c) { return c.CanExit(r, interactive); };
        };
        const Request logoff = [](auto& c) { return c.Exit(ExitRequest::Logoff, false); };
        const QString byPid = QString(
                                  "GetSessionByPID(%1) org.freedesktop.DBus.Properties.Get("
                                  "org.freedesktop.login1.Session,Id) TerminateSession(7)")
                                  .arg(getpid());
        const std::tuple<QStringList, const char*, Request, bool, QString> cases[] = {
            {{"--can", "challenge"},
             "",
             can(ExitRequest::Reboot, false),
             false,
             "CanReboot() ListInhibitors()"},
            {{"--can", "challenge"}, "", can(ExitRequest::Reboot, true), true, "CanReboot()"},
            {{}, "c42", can(ExitRequest::Logoff, false), true, "GetSession(c42)"},
            {{"--gnome", "--fail", "Logout"},
             "",
             logoff,
             false,
             "org.gnome.SessionManager.Logout(2) ListInhibitors()"},
            {{}, "c42", logoff, true, "TerminateSession(c42)"},
            {{}, "", logoff, true, byPid},
        };
        for (const auto& [options, sessionId, request, result, calls] : cases) {
            qputenv("XDG_SESSION_ID", sessionId);
            START_FAKE(box, options);
            LogindSessionControl control;
            QCOMPARE(request(control).Ok(), result);
            QCOMPARE(box.Calls(), calls);
        }
    }

    // Every request ends within two seconds, silently, whatever is wrong, and
    // works again once the bus and the service are back.
    void unreachableServicesEndQuicklyAndSilently() {
        QTemporaryDir dir;
        QLocalServer silent;  // takes connections, never serves them: a hung bus daemon
        QVERIFY(silent.listen(dir.filePath("bus")));
        // Results: CanExit and Exit of logoff, shutdown and reboot in turn;
        // ForcePowerOff; stand by; hibernate. A listed desktop manager makes
        // logoff look possible; an unanswered sleep request is the machine
        // having gone to sleep.
        const char* const cases[][2] = {{"no bus", "000000000"},
                                        {"silent bus", "000000000"},
                                        {"no service", "000000000"},
                                        {"never answers", "100000011"}};
        LogindSessionControl control;
        static QStringList messages;
        qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { messages << text; });
        for (const auto& [situation, results] : cases) {
            test::BusSandbox box;
            QVERIFY(box.BusesRun());
            const QByteArray address = situation == QByteArray("no bus")
                                           ? "unix:path=/nonexistent/velmora-no-bus"
                                           : "unix:path=" + silent.fullServerName().toUtf8();
            if (situation == QByteArray("never answers")) {
                QVERIFY(box.StartFake({"--hang", "--gnome"}));
            } else if (situation != QByteArray("no service")) {
                qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
                qputenv("DBUS_SESSION_BUS_ADDRESS", address);
            }
            QString got;
            qint64 slowest = 0;
            const auto timed = [&](auto request) {
                QElapsedTimer timer;
                timer.start();
                got += request().Ok() ? u'1' : u'0';
                slowest = std::max(slowest, timer.elapsed());
            };
            for (const auto r : {ExitRequest::Logoff, ExitRequest::Shutdown, ExitRequest::Reboot}) {
                timed([&] { return control.CanExit(r, true); });
                timed([&] { return control.Exit(r, true); });
            }
            timed([&] { return control.ForcePowerOff(true); });
            timed([&] { return control.SetSystemPowerState(true, true, false); });
            timed([&] { return control.SetSystemPowerState(false, false, false); });
            std::printf("%s: slowest request took %lld ms\n", situation, slowest);
            QCOMPARE(got, QString(results));
            QVERIFY2(slowest < 3000, situation);
            QCOMPARE(messages, QStringList());
            if (situation == QByteArray("never answers")) {  // the time went into waiting
                QVERIFY(box.Calls().contains("PowerOff(true)") &&
                        box.Calls().contains("org.gnome.SessionManager.Logout(2)"));
            }
        }
        qInstallMessageHandler(nullptr);
        START_FAKE(box);
        QVERIFY(control.CanExit(ExitRequest::Shutdown, false));
    }
};

QTEST_GUILESS_MAIN(LogindSessionControlTest)
#include "LogindSessionControlTest.moc"
