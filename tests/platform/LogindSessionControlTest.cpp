// The login-manager backend against the fake login service on private buses:
// the calls it makes, and how it ends when a bus or the service fails.
#include <QElapsedTimer>
#include <QScopeGuard>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "platform/BusSandbox.h"
#include "platform/linux/LogindSessionControl.h"

using namespace velmora;
using test::kManager;

namespace {

QStringList g_messages;  // everything Qt printed while captured
void Capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    g_messages << text;
}

}  // namespace

class LogindSessionControlTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { qunsetenv("XDG_SESSION_ID"); }

    void challengeCountsOnlyWhenInteractive() {
        START_FAKE(box, {"--can", "challenge"});
        LogindSessionControl control;
        QVERIFY(!control.CanExit(ExitRequest::Shutdown, false));
        QVERIFY(control.CanExit(ExitRequest::Shutdown, true));
        QVERIFY(!control.CanExit(ExitRequest::Reboot, false));
        QVERIFY(control.CanExit(ExitRequest::Reboot, true));
    }

    // The desktop session manager when there is one, whose refusal is final;
    // otherwise the login manager ends the caller's session, found from
    // XDG_SESSION_ID or else from the process id.
    void logoffGoesToTheDesktopElseTheLoginManager() {
        const struct {
            QStringList options;
            const char* sessionId;
            bool done;
            QStringList calls;
        } cases[] = {
            {{"--gnome"}, "", true, {"org.gnome.SessionManager.Logout(2)"}},
            {{"--gnome", "--fail", "Logout"}, "", false, {"org.gnome.SessionManager.Logout(2)"}},
            {{},
             "",
             true,
             {kManager + QStringLiteral("GetSessionByPID(%1)").arg(getpid()),
              "org.freedesktop.DBus.Properties.Get(org.freedesktop.login1.Session,Id)",
              kManager + "TerminateSession(7)"}},
            {{}, "c42", true, {kManager + "TerminateSession(c42)"}},
        };
        for (const auto& c : cases) {
            qputenv("XDG_SESSION_ID", c.sessionId);
            START_FAKE(box, c.options);
            LogindSessionControl control;
            QVERIFY(control.CanExit(ExitRequest::Logoff, false));
            box.ClearCalls();
            QCOMPARE(control.Exit(ExitRequest::Logoff, false), c.done);
            QCOMPARE(box.Calls(), c.calls);
        }
    }

    void reconnectsWhenTheBusComesBack() {
        LogindSessionControl control;
        {
            START_FAKE(box);
            QVERIFY(control.CanExit(ExitRequest::Shutdown, false));
        }
        QVERIFY(!control.CanExit(ExitRequest::Shutdown, false));  // bus gone
        START_FAKE(box);
        QVERIFY(control.CanExit(ExitRequest::Shutdown, false));
    }

    // Every request ends within two seconds, silently, whatever is wrong.
    void unreachableServicesEndQuicklyAndSilently() {
        // A socket that takes connections into its queue but never serves
        // them, as a hung bus daemon would.
        QTemporaryDir dir;
        const QByteArray silent = dir.filePath("bus").toUtf8();
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const auto closeFd = qScopeGuard([fd] { ::close(fd); });
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, silent.constData(), silent.size());
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0);
        QVERIFY(::listen(fd, 8) == 0);

        // Results: CanExit shutdown, reboot, logoff; Exit shutdown, reboot,
        // logoff; ForcePowerOff; stand by; hibernate. A listed desktop
        // manager makes logoff look possible; an unanswered sleep request is
        // the machine having gone to sleep.
        const char* const cases[][2] = {{"no bus", "000000000"},
                                        {"silent bus", "000000000"},
                                        {"no service", "000000000"},
                                        {"never answers", "001000011"}};
        for (const auto& [situation, results] : cases) {
            test::BusSandbox box;
            QVERIFY(box.BusesRun());
            const QByteArray address = situation == QByteArray("no bus")
                                           ? QByteArray("unix:path=/nonexistent/velmora-no-bus")
                                           : "unix:path=" + silent;
            if (situation == QByteArray("never answers")) {
                QVERIFY(box.StartFake({"--hang", "--gnome"}));
            } else if (situation != QByteArray("no service")) {
                qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
                qputenv("DBUS_SESSION_BUS_ADDRESS", address);
            }
            LogindSessionControl control;
            const std::function<bool()> requests[] = {
                [&] { return control.CanExit(ExitRequest::Shutdown, true); },
                [&] { return control.CanExit(ExitRequest::Reboot, true); },
                [&] { return control.CanExit(ExitRequest::Logoff, true); },
                [&] { return control.Exit(ExitRequest::Shutdown, true); },
                [&] { return control.Exit(ExitRequest::Reboot, true); },
                [&] { return control.Exit(ExitRequest::Logoff, true); },
                [&] { return control.ForcePowerOff(true); },
                [&] { return control.SetSystemPowerState(true, true); },
                [&] { return control.SetSystemPowerState(false, false); },
            };
            QString got;
            qint64 slowest = 0;
            g_messages.clear();
            const QtMessageHandler previous = qInstallMessageHandler(Capture);
            for (const auto& request : requests) {
                QElapsedTimer timer;
                timer.start();
                got += request() ? u'1' : u'0';
                slowest = std::max(slowest, timer.elapsed());
            }
            qInstallMessageHandler(previous);
            qInfo("%s: slowest request took %lld ms", situation, slowest);
            QCOMPARE(got, QString::fromLatin1(results));
            QVERIFY2(slowest < 3000, situation);
            QCOMPARE(g_messages, QStringList());
            if (situation == QByteArray("never answers")) {  // the time went into waiting
                QVERIFY(box.Calls().contains(kManager + "PowerOff(true)"));
                QVERIFY(box.Calls().contains("org.gnome.SessionManager.Logout(2)"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(LogindSessionControlTest)
#include "LogindSessionControlTest.moc"
