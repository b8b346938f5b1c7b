// The schedule's stored system action performed through the real
// login-manager backend: what reaches the fake login service.
#include "fakes/FakeScheduleEnv.h"
#include "platform/BusSandbox.h"
#include "platform/linux/LogindSessionControl.h"

using namespace velmora;

class ActionsOverBusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // With the fallback option set, a refused request is followed by a forced
    // power-off; a request that is not allowed is never made.
    void performedActionReachesTheService() {
        const std::tuple<int, int, QStringList, QString> cases[] = {
            {1, 1, {}, "CanPowerOff() PowerOff(false)"},
            {1, 1, {"--can", "no"}, "CanPowerOff()"},
            {2, 1, {"--gnome"}, "org.gnome.SessionManager.Logout(2)"},
            {3, 1, {}, "CanReboot() Reboot(false)"},
            {3, 1, {"--fail", "Reboot"}, "CanReboot() Reboot(false) PowerOff(false)"},
            {3, 0, {"--fail", "Reboot"}, "CanReboot() Reboot(false)"},
            {4, 1, {}, "Suspend(false)"},
            {5, 1, {}, "Hibernate(false)"},
        };
        for (const auto& [action, fallback, options, calls] : cases) {
            START_FAKE(box, options);
            test::FakeScheduleEnv e;  // its fakes, with the real backend for the session
            e.Settings("Action=" + std::to_string(action) +
                       "\nAlternateOption=" + std::to_string(fallback) + "\n");
            LogindSessionControl session;
            ScheduleCore core{
                ScheduleServices{e.view, e.clock, e.prompt, session, e.processes, e.alarm},
                SchedulePaths{e.SettingsFile(), e.ProcessListFile()}};
            core.PerformAction();
            QCOMPARE(box.Calls(), calls);
            QVERIFY(e.prompt.shown.empty());
        }
    }
};

QTEST_GUILESS_MAIN(ActionsOverBusTest)
#include "ActionsOverBusTest.moc"
