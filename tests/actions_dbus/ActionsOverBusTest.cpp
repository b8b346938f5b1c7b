// The schedule's stored system action performed through the real
// login-manager backend, and its reminder through the real notification
// client: what reaches the fake services, and what the user is told.
#include <QElapsedTimer>
#include <QLocalServer>

#include "fakes/FakeScheduleEnv.h"
#include "platform/BusSandbox.h"
#include "platform/linux/FreedesktopNotifier.h"
#include "platform/linux/LogindSessionControl.h"
#include "storage/IniFile.h"

using namespace velmora;

namespace {

// A schedule core over the fakes of `e` with the real backends.
struct RealCore {
    RealCore(test::FakeScheduleEnv& e, SessionControl& session, DesktopNotifier* notifier)
        : core{ScheduleServices{e.view, e.clock, e.prompt, session, e.processes, e.alarm, notifier},
               SchedulePaths{e.SettingsFile(), e.ProcessListFile()}} {}
    ScheduleCore core;
};

QStringList Notices(const test::FakeScheduleEnv& e) {
    QStringList texts;
    for (const auto& shown : e.prompt.shown) {
        if (shown.kind == test::FakePrompt::Kind::Notice) {
            texts << QString::fromStdString(shown.text);
        }
    }
    return texts;
}

}  // namespace

class ActionsOverBusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // With the fallback option set, a refused request is followed by a forced
    // power-off; a request that is not allowed is never made. A failure asks
    // for the blocking locks and is reported once.
    void performedActionReachesTheService() {
        const std::tuple<int, int, QStringList, QString, int> cases[] = {
            {1, 1, {}, "CanPowerOff() PowerOff(false)", 0},
            {1, 1, {"--can", "no"}, "CanPowerOff() ListInhibitors()", 1},
            {2, 1, {"--gnome"}, "org.gnome.SessionManager.Logout(2)", 0},
            {3, 1, {}, "CanReboot() Reboot(false)", 0},
            {3,
             1,
             {"--fail", "Reboot"},
             "CanReboot() Reboot(false) ListInhibitors() PowerOff(false)",
             0},
            {3, 0, {"--fail", "Reboot"}, "CanReboot() Reboot(false) ListInhibitors()", 1},
            {4, 1, {}, "Suspend(false)", 0},
            {5, 1, {"--fail", "Hibernate"}, "Hibernate(false) ListInhibitors()", 1},
        };
        for (const auto& [action, fallback, options, calls, reports] : cases) {
            START_FAKE(box, options);
            test::FakeScheduleEnv e;
            e.Settings("Action=" + std::to_string(action) +
                       "\nAlternateOption=" + std::to_string(fallback) + "\n");
            LogindSessionControl session;
            RealCore real(e, session, nullptr);
            real.core.PerformAction();
            QCOMPARE(box.Calls(), calls);
            QCOMPARE(Notices(e).size(), reports);
        }
    }

    // Only the programs holding a lock that blocks shutting down are named.
    void refusedPowerOffNamesEachBlockingProgram() {
        START_FAKE(box, {"--fail", "PowerOff", "--inhibitors",
                         "shutdown:sleep|Software Updates|Installing updates|block;"
                         "sleep|Player|Playing|block;shutdown|Mail|Saving|delay;"
                         "shutdown|Backup|Copying files|block"});
        test::FakeScheduleEnv e;
        e.Settings("Action=1\n");
        e.view.Pick(2024, 5, 14, 22, 0, 0);
        LogindSessionControl session;
        RealCore real(e, session, nullptr);
        real.core.PerformAction();
        QCOMPARE(Notices(e),
                 QStringList{"Velmora could not shut down the computer as scheduled for "
                             "Tuesday 14 May 2024 22:00:00.\n\nThe system refused the "
                             "request (refused).\nBlocked by: Software Updates (Installing "
                             "updates)\nBlocked by: Backup (Copying files)"});
    }

    // A bus that takes connections but never serves them, and a login
    // service that never answers, are both reported within two seconds.
    void silentBusIsReportedWithinTwoSeconds() {
        QTemporaryDir dir;
        QLocalServer silent;
        QVERIFY(silent.listen(dir.filePath("bus")));
        for (const bool silentBus : {true, false}) {
            START_FAKE(box, {"--hang"});
            if (silentBus) {
                qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + silent.fullServerName().toUtf8());
            }
            test::FakeScheduleEnv e;
            e.Settings("Action=3\n");
            LogindSessionControl session;
            RealCore real(e, session, nullptr);
            QElapsedTimer timer;
            timer.start();
            real.core.PerformAction();
            const qint64 took = timer.elapsed();
            qInfo("%s: reported after %lld ms", silentBus ? "silent bus" : "silent service", took);
            QVERIFY(took < 2000);
            QCOMPARE(Notices(e).size(), 1);
            QVERIFY(Notices(e)[0].endsWith(silentBus ? "could not be reached."
                                                     : "did not answer in time."));
        }
    }

    // The reminder's notification: its words and time, closed when the
    // action fires; its "Disable" disarms as the button does.
    void reminderNotificationShowsClosesAndDisables() {
        for (const bool choose : {false, true}) {
            START_FAKE(box, choose ? QStringList{"--notifications", "--invoke", "disable"}
                                   : QStringList{"--notifications"});
            test::FakeScheduleEnv e;
            LogindSessionControl session;
            FreedesktopNotifier notifier;
            RealCore real(e, session, &notifier);
            e.view.Pick(2024, 5, 14, 10, 0, 45);
            e.clock.SetLocal(2024, 5, 14, 10, 0, 0);
            real.core.HandleCommand(ID_ENABLE_SHUTDOWN);
            const QString notify =
                "org.freedesktop.Notifications.Notify(Velmora,0,velmora,Velmora Reminder,"
                "Your computer will Shut Down in 00:00:00:45,disable|Disable,urgency=2,0)";
            QTRY_VERIFY2(box.Calls().startsWith(notify), qPrintable(box.Calls()));
            const QString close = "org.freedesktop.Notifications.CloseNotification(1)";
            if (choose) {
                QTRY_VERIFY(!real.core.IsArmed());
                IniFile ini(e.SettingsFile());
                ini.Load();
                QCOMPARE(ini.GetInt("General Settings", "IsEnabled", -1), 0);
                QTRY_COMPARE(box.Calls(), notify + " " + close);
            } else {
                e.clock.SetLocal(2024, 5, 14, 10, 0, 45);
                real.core.OnTick(kCountdownTimer);
                QTRY_VERIFY2(box.Calls().contains(close), qPrintable(box.Calls()));
                QVERIFY(box.Calls().contains("PowerOff(false)"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(ActionsOverBusTest)
#include "ActionsOverBusTest.moc"
