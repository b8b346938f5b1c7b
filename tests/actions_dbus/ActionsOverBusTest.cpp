// The schedule's system actions through the real login-manager backend: what
// reaches the fake login service when a schedule fires or an exit is asked for.
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
using test::kManager;

namespace {

// The schedule over fakes for everything but the session, which is the real
// backend on the buses the environment names.
struct BusActions {
    void Set(const char* key, const char* value) {
        IniFile ini(dir.File("Velmora.ini"));
        ini.Load();
        ini.SetString("General Settings", key, value, true);
        ini.Save();
    }
    // Arms with the stored action and lets the target second come.
    void FireWithAction(const char* action) {
        Set("Action", action);
        clock.SetLocal(2024, 5, 14, 10, 0, 0);
        view.Pick(2024, 5, 14, 10, 0, 1);
        view.StartTimer(kClockTimer);  // as the window does at start-up
        core.HandleCommand(IDC_ENABLE);
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
    // With the fallback option set, a refused request is followed by a
    // forced power-off; a request that is not allowed is never made.
    void firedActionReachesTheService() {
        const struct {
            const char* action;
            const char* fallback;
            QStringList options;
            QStringList calls;
        } cases[] = {
            {"1", "1", {}, {kManager + "CanPowerOff()", kManager + "PowerOff(false)"}},
            {"1", "1", {"--can", "no"}, {kManager + "CanPowerOff()"}},
            {"2", "1", {"--gnome"}, {"org.gnome.SessionManager.Logout(2)"}},
            {"3", "1", {}, {kManager + "CanReboot()", kManager + "Reboot(false)"}},
            {"3",
             "1",
             {"--fail", "Reboot"},
             {kManager + "CanReboot()", kManager + "Reboot(false)", kManager + "PowerOff(false)"}},
            {"3",
             "0",
             {"--fail", "Reboot"},
             {kManager + "CanReboot()", kManager + "Reboot(false)"}},
            {"4", "1", {}, {kManager + "Suspend(false)"}},
            {"5", "1", {}, {kManager + "Hibernate(false)"}},
        };
        for (const auto& c : cases) {
            START_FAKE(box, c.options);
            BusActions a;
            a.Set("AlternateOption", c.fallback);
            a.FireWithAction(c.action);
            QVERIFY(a.core.HasFired());
            QCOMPARE(box.Calls(), c.calls);
            QVERIFY(a.prompt.shown.empty());
        }
    }
};

QTEST_GUILESS_MAIN(ActionsOverBusTest)
#include "ActionsOverBusTest.moc"
