// The schedule's system actions through the real login-manager backend: what
// reaches the fake login manager and desktop session manager when a schedule
// fires or an exit is requested, including refusals and a silent service.
#include <QElapsedTimer>
#include <QTest>

#include "fakes/FakeAlarm.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeProcessTable.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeView.h"
#include "fakes/TempDir.h"
#include "platform/BusSandbox.h"
#include "platform/linux/LogindSessionControl.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "storage/IniFile.h"

using namespace velmora;

namespace {

const QString kManager = QStringLiteral("org.freedesktop.login1.Manager.");

QStringList Manager(std::initializer_list<const char*> calls) {
    QStringList out;
    for (const char* call : calls) {
        out << kManager + QLatin1String(call);
    }
    return out;
}

// The schedule over fakes for everything but the session, which is the real
// backend on whatever buses the environment names when it is made.
struct BusActions {
    BusActions() {
        clock.SetLocal(2024, 5, 14, 10, 0, 0);
        view.Pick(2024, 5, 14, 10, 0, 1);
        view.StartTimer(kClockTimer);  // as the window does at start-up
    }
    void SetSetting(const char* key, const char* value) {
        IniFile ini(dir.File("Velmora.ini"));
        ini.Load();
        ini.SetString("General Settings", key, value, true);
        ini.Save();
    }
    // Arms with the stored action and lets the target second come.
    void FireWithAction(const char* action) {
        SetSetting("Action", action);
        core.HandleCommand(IDC_ENABLE);
        prompt.shown.clear();
        clock.SetLocal(2024, 5, 14, 10, 0, 1);
        core.OnTick(kCountdownTimer);
    }

    test::TempDir dir;
    test::FakeView view;
    test::FakeClock clock;
    test::FakePrompt prompt;
    test::FakeProcessTable processes;
    test::FakeAlarm alarm;
    LogindSessionControl session;
    ScheduleCore core{ScheduleServices{view, clock, prompt, session, processes, alarm},
                      SchedulePaths{dir.File("Velmora.ini"), dir.File("Process.ini")}};
};

}  // namespace

class ActionsOverBusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qunsetenv("XDG_SESSION_ID"); }

    void firedActionReachesTheService_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("shutdown") << "1" << QStringList{}
                                  << Manager({"CanPowerOff()", "PowerOff(false)"});
        QTest::newRow("restart") << "3" << QStringList{}
                                 << Manager({"CanReboot()", "Reboot(false)"});
        QTest::newRow("logoff") << "2" << QStringList{"--manager", "gnome"}
                                << QStringList{"org.gnome.SessionManager.Logout(2)"};
        QTest::newRow("stand by") << "4" << QStringList{} << Manager({"Suspend(false)"});
        QTest::newRow("hibernate") << "5" << QStringList{} << Manager({"Hibernate(false)"});
    }

    void firedActionReachesTheService() {
        QFETCH(QString, action);
        QFETCH(QStringList, options);
        QFETCH(QStringList, calls);
        START_FAKE(box, options);
        BusActions a;
        a.FireWithAction(action.toLatin1().constData());
        QVERIFY(a.core.HasFired());
        QCOMPARE(box.Calls(), calls);
        QCOMPARE(a.prompt.shown.size(), std::size_t{0});
    }

    void refusedRestartFallsBackOnlyWhenTheOptionIsSet() {
        START_FAKE(box, {"--fail", "Reboot"});
        BusActions a;
        a.SetSetting("AlternateOption", "1");
        a.core.ExitWindowsWithPrivilege(EWX_REBOOT);
        QCOMPARE(box.Calls(), Manager({"CanReboot()", "Reboot(false)", "PowerOff(false)"}));
        QVERIFY(a.view.timers.empty());

        box.ClearCalls();
        a.SetSetting("AlternateOption", "0");
        a.core.ExitWindowsWithPrivilege(EWX_REBOOT);
        QCOMPARE(box.Calls(), Manager({"CanReboot()", "Reboot(false)"}));
    }

    void notAllowedSendsNothingFurther() {
        START_FAKE(box, {"--can-power-off", "no"});
        BusActions a;
        a.SetSetting("AlternateOption", "1");
        a.core.ExitWindowsWithPrivilege(EWX_SHUTDOWN, true);
        QCOMPARE(box.Calls(), Manager({"CanPowerOff()"}));
    }

    // A missing bus or a service that never answers ends the request quietly
    // and soon: the timers stay stopped, no message box appears, and the test
    // button reports the failed test.
    void silentServiceNeitherFreezesNorPrompts_data() {
        QTest::addColumn<bool>("withBus");
        QTest::newRow("service that never answers") << true;
        QTest::newRow("no bus") << false;
    }

    void silentServiceNeitherFreezesNorPrompts() {
        QFETCH(bool, withBus);
        START_FAKE(box, {"--hang", "all"});
        if (!withBus) {
            qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmora-no-bus");
            qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velmora-no-bus");
        }
        BusActions a;
        a.SetSetting("AlternateOption", "1");
        QElapsedTimer timer;
        timer.start();
        a.FireWithAction("3");
        const qint64 elapsed = timer.elapsed();
        qInfo("fired restart returned after %lld ms", elapsed);
        QVERIFY(elapsed < 3000);
        QCOMPARE(a.prompt.shown.size(), std::size_t{0});
        QVERIFY(a.view.timers.empty());
        QCOMPARE(box.Calls(), withBus ? Manager({"CanReboot()"}) : QStringList());

        a.core.TestRestart();
        QCOMPARE(a.prompt.LastText(), std::string("Restart has not pass the test"));
    }
};

QTEST_GUILESS_MAIN(ActionsOverBusTest)
#include "ActionsOverBusTest.moc"
