// The login-manager backend against a fake login manager and fake desktop
// session managers on private buses: which calls it makes, with which
// arguments, and how it ends when a bus or service is missing or silent.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "platform/BusSandbox.h"
#include "platform/linux/LogindSessionControl.h"

using velmora::BusSandbox;
using velmora::ExitRequest;
using velmora::LogindSessionControl;

namespace {

const QString kManager = QStringLiteral("org.freedesktop.login1.Manager.");

QStringList Manager(std::initializer_list<const char*> calls) {
    QStringList out;
    for (const char* call : calls) {
        out << kManager + QLatin1String(call);
    }
    return out;
}

// Everything Qt would print while the code under test runs.
QStringList g_messages;
void Capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    g_messages << text;
}

// A socket that accepts connections into its queue but never serves them,
// as a bus daemon that hangs would.
class SilentSocket {
public:
    SilentSocket() : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray path = dir_.filePath(QStringLiteral("bus")).toUtf8();
        std::memcpy(addr.sun_path, path.constData(), path.size());
        ok_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              ::listen(fd_, 8) == 0;
        address_ = QStringLiteral("unix:path=") + QString::fromUtf8(path);
    }
    ~SilentSocket() { ::close(fd_); }
    bool ok() const { return ok_; }
    QString Address() const { return address_; }

private:
    QTemporaryDir dir_;
    int fd_;
    bool ok_ = false;
    QString address_;
};

}  // namespace

class LogindSessionControlTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qunsetenv("XDG_SESSION_ID"); }
    void cleanup() { qunsetenv("XDG_SESSION_ID"); }

    void powerRequestsSendExactlyTheirCall() {
        START_FAKE(box);
        LogindSessionControl control;
        const std::pair<std::function<bool()>, QStringList> cases[] = {
            {[&] { return control.CanExit(ExitRequest::Shutdown, false); },
             Manager({"CanPowerOff()"})},
            {[&] { return control.Exit(ExitRequest::Shutdown, false); },
             Manager({"PowerOff(false)"})},
            {[&] { return control.Exit(ExitRequest::Reboot, true); }, Manager({"Reboot(true)"})},
            {[&] { return control.ForcePowerOff(false); }, Manager({"PowerOff(false)"})},
            {[&] { return control.SetSystemPowerState(true, true); }, Manager({"Suspend(false)"})},
            {[&] { return control.SetSystemPowerState(false, false); },
             Manager({"Hibernate(false)"})},
        };
        for (const auto& [request, calls] : cases) {
            box.ClearCalls();
            QVERIFY(request());
            QCOMPARE(box.Calls(), calls);
        }
    }

    void canExitFollowsTheAnswer_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("interactive");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("yes, scheduled") << "yes" << false << true;
        QTest::newRow("yes, interactive") << "yes" << true << true;
        QTest::newRow("challenge, scheduled") << "challenge" << false << false;
        QTest::newRow("challenge, interactive") << "challenge" << true << true;
        QTest::newRow("no") << "no" << true << false;
        QTest::newRow("na") << "na" << true << false;
    }

    void canExitFollowsTheAnswer() {
        QFETCH(QString, answer);
        QFETCH(bool, interactive);
        QFETCH(bool, allowed);
        START_FAKE(box, {"--can-power-off", answer, "--can-reboot", answer});
        LogindSessionControl control;
        QCOMPARE(control.CanExit(ExitRequest::Shutdown, interactive), allowed);
        QCOMPARE(control.CanExit(ExitRequest::Reboot, interactive), allowed);
        QCOMPARE(box.Calls(), Manager({"CanPowerOff()", "CanReboot()"}));
    }

    void refusedRequestsReportFailure() {
        START_FAKE(box, {"--manager", "gnome", "--fail",
                         "PowerOff,Reboot,Suspend,Hibernate,Logout,TerminateSession"});
        LogindSessionControl control;
        QVERIFY(!control.Exit(ExitRequest::Shutdown, false));
        QVERIFY(!control.Exit(ExitRequest::Reboot, false));
        QVERIFY(!control.ForcePowerOff(false));
        QVERIFY(!control.SetSystemPowerState(true, true));
        QVERIFY(!control.SetSystemPowerState(false, false));
        // A refusing desktop manager is not worked around behind its back.
        QVERIFY(!control.Exit(ExitRequest::Logoff, false));
        QCOMPARE(box.Calls(), Manager({"PowerOff(false)", "Reboot(false)", "PowerOff(false)",
                                       "Suspend(false)", "Hibernate(false)"})
                                  << "org.gnome.SessionManager.Logout(2)");
    }

    void logoffGoesToTheDesktopManager_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("call");
        QTest::newRow("gnome") << QStringList{"--manager", "gnome"}
                               << "org.gnome.SessionManager.Logout(2)";
        QTest::newRow("kde") << QStringList{"--manager", "kde"} << "org.kde.Shutdown.logout()";
        QTest::newRow("older kde")
            << QStringList{"--manager", "ksmserver"} << "org.kde.KSMServerInterface.logout(0,0,2)";
        QTest::newRow("xfce") << QStringList{"--manager", "xfce"}
                              << "org.xfce.Session.Manager.Logout(false,false)";
        QTest::newRow("gnome before xfce") << QStringList{"--manager", "xfce", "--manager", "gnome"}
                                           << "org.gnome.SessionManager.Logout(2)";
    }

    void logoffGoesToTheDesktopManager() {
        QFETCH(QStringList, options);
        QFETCH(QString, call);
        START_FAKE(box, options);
        LogindSessionControl control;
        QVERIFY(control.CanExit(ExitRequest::Logoff, false));
        QVERIFY(control.Exit(ExitRequest::Logoff, false));
        QCOMPARE(box.Calls(), QStringList{call});  // the login manager is not involved
    }

    void logoffFallsBackToTheLoginManager() {
        {
            START_FAKE(box, {"--session-id", "7"});
            LogindSessionControl control;
            QVERIFY(control.CanExit(ExitRequest::Logoff, false));
            box.ClearCalls();
            QVERIFY(control.Exit(ExitRequest::Logoff, false));
            QCOMPARE(box.Calls(),
                     QStringList({kManager + QStringLiteral("GetSessionByPID(%1)").arg(getpid()),
                                  "org.freedesktop.DBus.Properties.Get("
                                  "org.freedesktop.login1.Session,Id)",
                                  kManager + "TerminateSession(7)"}));
        }
        {
            START_FAKE(box, {"--session-id", "c42"});
            qputenv("XDG_SESSION_ID", "c42");
            LogindSessionControl control;
            QVERIFY(control.CanExit(ExitRequest::Logoff, false));
            QVERIFY(control.Exit(ExitRequest::Logoff, false));
            QCOMPARE(box.Calls(), Manager({"GetSession(c42)", "TerminateSession(c42)"}));
        }
        {
            START_FAKE(box, {"--session-id", ""});
            qunsetenv("XDG_SESSION_ID");
            LogindSessionControl control;
            QVERIFY(!control.CanExit(ExitRequest::Logoff, false));
            QVERIFY(!control.Exit(ExitRequest::Logoff, false));
            QVERIFY(!box.Calls().join(u' ').contains(QLatin1String("TerminateSession")));
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
        QCOMPARE(box.Calls(), Manager({"CanPowerOff()"}));
    }

    // Every public request ends within two seconds, silently, whatever is
    // wrong with the bus or the service. Results are in the order: CanExit
    // shutdown, reboot, logoff; Exit shutdown, reboot, logoff; ForcePowerOff;
    // stand by; hibernate.
    void unreachableServicesEndQuicklyAndSilently_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("results");
        QTest::newRow("no bus") << "no bus"
                                << "000000000";
        QTest::newRow("bus that never serves") << "silent bus"
                                               << "000000000";
        QTest::newRow("no service") << "no service"
                                    << "000000000";
        // The buses list the desktop manager, so logoff looks possible; the
        // sleep requests count an unanswered call as the machine sleeping.
        QTest::newRow("service that never answers") << "never answers"
                                                    << "001000011";
    }

    void unreachableServicesEndQuicklyAndSilently() {
        QFETCH(QString, situation);
        QFETCH(QString, results);
        QTemporaryDir empty;
        SilentSocket silent;
        QVERIFY(silent.ok());
        BusSandbox box;
        QVERIFY2(box.Problem().isEmpty(), qPrintable(box.Problem()));
        if (situation == QLatin1String("no bus")) {
            const QByteArray nowhere = "unix:path=" + empty.filePath("none").toUtf8();
            qputenv("DBUS_SYSTEM_BUS_ADDRESS", nowhere);
            qputenv("DBUS_SESSION_BUS_ADDRESS", nowhere);
        } else if (situation == QLatin1String("silent bus")) {
            qputenv("DBUS_SYSTEM_BUS_ADDRESS", silent.Address().toUtf8());
            qputenv("DBUS_SESSION_BUS_ADDRESS", silent.Address().toUtf8());
        } else if (situation == QLatin1String("never answers")) {
            const QString problem = box.StartFake({"--hang", "all", "--manager", "gnome"});
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
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
        qInfo("%s: slowest request took %lld ms", qPrintable(situation), slowest);
        QCOMPARE(got, results);
        QVERIFY2(slowest < 3000, "a request held the caller for too long");
        QCOMPARE(g_messages, QStringList());
        if (situation == QLatin1String("never answers")) {
            // The time went into waiting for real answers, not into failing early.
            QVERIFY(box.Calls().contains(kManager + "PowerOff(true)"));
            QVERIFY(box.Calls().contains("org.gnome.SessionManager.Logout(2)"));
        }
    }
};

QTEST_GUILESS_MAIN(LogindSessionControlTest)
#include "LogindSessionControlTest.moc"
