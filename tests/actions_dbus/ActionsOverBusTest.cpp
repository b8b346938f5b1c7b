// The schedule's stored system action performed through the real
// login-manager backend, and its reminder through the real notification
// client: what reaches the fake services, and what the user is told.
#include <QElapsedTimer>
#include <QLocalServer>

#include "fakes/FakeScheduleEnv.h"
#include "platform/BusSandbox.h"
#include "platform/linux/FreedesktopNotifier.h"
#include "platform/linux/LogindSessionControl.h"

using namespace velmora;

namespace {

// A schedule core over the fakes of `e`, with the real backends.
std::unique_ptr<ScheduleCore> RealCore(test::FakeScheduleEnv& e, SessionControl& session,
                                       DesktopNotifier* notifier = nullptr) {
    return std::make_unique<ScheduleCore>(
        ScheduleServices{e.view, e.clock, e.prompt, session, e.processes, e.alarm, notifier},
        SchedulePaths{e.SettingsFile(), e.ProcessListFile()});
}

}  // namespace

class ActionsOverBusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // With the fallback option set, a refused request is followed by a forced
    // power-off; a request that is not allowed is never made. What could not
    // be done is reported within two seconds, naming only the programs whose
    // lock blocks it, also when the bus or the service is silent.
    void performedActionReachesTheServiceOrIsReported() {
        QTemporaryDir dir;
        QLocalServer silent;  // takes connections, never serves them: a hung bus daemon
        QVERIFY(silent.listen(dir.filePath("bus")));
        const QString locks =
            "shutdown:sleep|Software Updates|Installing updates|block;sleep|Player|Playing|block;"
            "shutdown|Mail|Saving|delay;shutdown|Backup|Copying files|block";
        const std::tuple<int, int, QStringList, QString, const char*> cases[] = {
            {1, 1, {}, "CanPowerOff() PowerOff(false)", ""},
            {1, 1, {"--can", "no"}, "CanPowerOff() ListInhibitors()", "to do this."},
            {1,
             0,
             {"--fail", "PowerOff", "--inhibitors", locks},
             "CanPowerOff() PowerOff(false) ListInhibitors()",
             "(refused).\nBlocked by: Software Updates (Installing updates)\n"
             "Blocked by: Backup (Copying files)"},
            {2, 1, {"--gnome"}, "org.gnome.SessionManager.Logout(2)", ""},
            {3,
             1,
             {"--fail", "Reboot"},
             "CanReboot() Reboot(false) ListInhibitors() PowerOff(false)",
             ""},
            {3,
             0,
             {"--fail", "Reboot"},
             "CanReboot() Reboot(false) ListInhibitors()",
             "(refused)."},
            {3, 0, {"--hang"}, "CanReboot()", "did not answer in time."},
            {3, 0, {"--silent"}, "", "could not be reached."},
            {4, 1, {}, "Suspend(false)", ""},
            {5, 1, {"--fail", "Hibernate"}, "Hibernate(false) ListInhibitors()", "(refused)."},
        };
        for (const auto& [action, fallback, options, calls, report] : cases) {
            START_FAKE(box, options);
            if (options.contains("--silent")) {
                qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + silent.fullServerName().toUtf8());
            }
            test::FakeScheduleEnv e;
            e.Settings("Action=" + std::to_string(action) +
                       "\nAlternateOption=" + std::to_string(fallback) + "\n");
            LogindSessionControl session;
            QElapsedTimer timer;
            timer.start();
            RealCore(e, session)->PerformAction();
            QVERIFY2(timer.elapsed() < 2000, report);
            QCOMPARE(box.Calls(), calls);
            QCOMPARE(e.prompt.shown.size(), std::size_t(*report ? 1 : 0));
            QVERIFY2(e.prompt.LastText().ends_with(report), report);
        }
    }

    // The reminder's notification: its words and time, closed when the
    // action fires; its "Disable" disarms as the button does.
    void reminderNotificationShowsClosesAndDisables() {
        const QString notify =
            "org.freedesktop.Notifications.Notify(Velmora,0,velmora,Velmora Reminder,"
            "Your computer will Shut Down in 00:00:00:45,disable|Disable,urgency=2,0)";
        for (const bool choose : {false, true}) {
            START_FAKE(box, QStringList{"--notifications"} +
                                (choose ? QStringList{"--invoke", "disable"} : QStringList{}));
            test::FakeScheduleEnv e;
            LogindSessionControl session;
            FreedesktopNotifier notifier;
            const auto core = RealCore(e, session, &notifier);
            e.view.Pick(2024, 5, 14, 10, 0, 45);
            e.clock.SetLocal(2024, 5, 14, 10, 0, 0);
            core->HandleCommand(ID_ENABLE_SHUTDOWN);
            QTRY_VERIFY2(box.Calls().startsWith(notify), qPrintable(box.Calls()));
            if (!choose) {  // the action fires
                e.clock.SetLocal(2024, 5, 14, 10, 0, 45);
                core->OnTick(kCountdownTimer);
            }
            QTRY_VERIFY(box.Calls().contains("Notifications.CloseNotification(1)"));
            QCOMPARE(box.Calls().contains("PowerOff(false)"), !choose);
            QCOMPARE(core->IsArmed(), !choose);
            QCOMPARE(test::ReadFile(e.SettingsFile()).find("IsEnabled=0\r\n") != std::string::npos,
                     choose);
        }
    }
};

QTEST_GUILESS_MAIN(ActionsOverBusTest)
#include "ActionsOverBusTest.moc"
