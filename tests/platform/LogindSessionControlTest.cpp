// The login-manager backend against the fake login service on private buses:
// the calls it makes, and how it ends when a bus or the service fails.
#include <QElapsedTimer>
#include <QLocalServer>

#include <unistd.h>

#include "platform/BusSandbox.h"
#include "platform/linux/LogindSessionControl.h"

using namespace velmora;

class LogindSessionControlTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { qunsetenv("XDG_SESSION_ID"); }

    void reconnectsAndCountsAChallengeOnlyWhenInteractive() {
        LogindSessionControl control;
        {
            START_FAKE(box);
            QVERIFY(control.CanExit(ExitRequest::Shutdown, false));
        }
        QVERIFY(!control.CanExit(ExitRequest::Shutdown, false));  // bus gone
        START_FAKE(box, {"--can", "challenge"});
        for (const ExitRequest request : {ExitRequest::Shutdown, ExitRequest::Reboot}) {
            QVERIFY(!control.CanExit(request, false));
            QVERIFY(control.CanExit(request, true));
        }
    }

    // The desktop session manager when there is one, whose refusal is final;
    // otherwise the login manager ends the caller's session, found from
    // XDG_SESSION_ID or else from the process id.
    void logoffGoesToTheDesktopElseTheLoginManager() {
        const QString logout = "org.gnome.SessionManager.Logout(2)";
        const QString byPid = QString(
                                  "GetSessionByPID(%1) org.freedesktop.DBus.Properties.Get("
                                  "org.freedesktop.login1.Session,Id) TerminateSession(7)")
                                  .arg(getpid());
        const std::tuple<QStringList, const char*, bool, QString> cases[] = {
            {{"--gnome"}, "", true, logout},
            {{"--gnome", "--fail", "Logout"}, "", false, logout + " ListInhibitors()"},
            {{}, "", true, byPid},
            {{}, "c42", true, "TerminateSession(c42)"},
        };
        for (const auto& [options, sessionId, done, calls] : cases) {
            qputenv("XDG_SESSION_ID", sessionId);
            START_FAKE(box, options);
            LogindSessionControl control;
            QVERIFY(control.CanExit(ExitRequest::Logoff, false));
            box.ClearCalls();
            QCOMPARE(control.Exit(ExitRequest::Logoff, false).Ok(), done);
            QCOMPARE(box.Calls(), calls);
        }
    }

    // Every request ends within two seconds, silently, whatever is wrong.
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
            LogindSessionControl control;
            QString got;
            qint64 slowest = 0;
            const auto timed = [&](auto request) {
                QElapsedTimer timer;
                timer.start();
                got += request() ? u'1' : u'0';
                slowest = std::max(slowest, timer.elapsed());
            };
            static QStringList messages;
            messages.clear();
            const QtMessageHandler previous =
                qInstallMessageHandler([](QtMsgType, const QMessageLogContext&,
                                          const QString& text) { messages << text; });
            for (const ExitRequest request :
                 {ExitRequest::Logoff, ExitRequest::Shutdown, ExitRequest::Reboot}) {
                timed([&] { return control.CanExit(request, true); });
                timed([&] { return control.Exit(request, true); });
            }
            timed([&] { return control.ForcePowerOff(true); });
            timed([&] { return control.SetSystemPowerState(true, true, false); });
            timed([&] { return control.SetSystemPowerState(false, false, false); });
            qInstallMessageHandler(previous);
            qInfo("%s: slowest request took %lld ms", situation, slowest);
            QCOMPARE(got, QString(results));
            QVERIFY2(slowest < 3000, situation);
            QCOMPARE(messages, QStringList());
            if (situation == QByteArray("never answers")) {  // the time went into waiting
                QVERIFY(box.Calls().contains("PowerOff(true)") &&
                        box.Calls().contains("org.gnome.SessionManager.Logout(2)"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(LogindSessionControlTest)
#include "LogindSessionControlTest.moc"
