#include "platform/MessagePrompt.h"
#include "platform/SessionControl.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"

namespace velmora {

namespace {

constexpr const char* kNoSelectedProcesses =
    "There is no selected processes on the list!\nPlease select processes and try again.";

// The arm-with-this-action commands of the "Action" drop menu.
struct ArmCommand {
    int commandId;
    ScheduledAction action;
};

constexpr ArmCommand kArmCommands[] = {
    {ID_ENABLE_ALARM, ScheduledAction::Alarm},
    {ID_ENABLE_SHUTDOWN, ScheduledAction::Shutdown},
    {ID_ENABLE_LOGOFF, ScheduledAction::Logoff},
    {ID_ENABLE_RESTART, ScheduledAction::Restart},
    {ID_ENABLE_STANDBY, ScheduledAction::StandBy},
    {ID_ENABLE_HIBERNATE, ScheduledAction::Hibernate},
    {ID_ENABLE_KILL, ScheduledAction::KillProcesses},
};

bool ActionOfArmCommand(int commandId, ScheduledAction& action) {
    for (const ArmCommand& arm : kArmCommands) {
        if (arm.commandId == commandId) {
            action = arm.action;
            return true;
        }
    }
    return false;
}

}  // namespace

bool ScheduleCore::HandleCommand(int commandId) {
    ScheduledAction action{};
    if (ActionOfArmCommand(commandId, action)) {
        if (action == ScheduledAction::KillProcesses && CountSelectedProcesses() == 0) {
            s_.prompt.Stop(kNoSelectedProcesses);
        } else {
            EnableSchedule(true, action);
        }
        return true;
    }
    switch (commandId) {
        case IDC_ENABLE:
            EnableSchedule(false, ScheduledAction::Alarm);
            return true;
        case IDC_DISABLE:
            DisableSchedule();
            return true;
        case IDC_TEST_SHUTDOWN:
            TestShutdown();
            return true;
        case IDC_TEST_LOGOFF:
            TestLogoff();
            return true;
        case IDC_TEST_RESTART:
            TestRestart();
            return true;
        case ID_SHUTDOWN_NOW:
            if (s_.prompt.Question("Are you sure you want to ShutDown your system Now?")) {
                ExitWindowsWithPrivilege(EWX_SHUTDOWN, true);
            }
            return true;
        case ID_LOGOFF_NOW:
            if (s_.prompt.Question("Are you sure you want to LogOff your system Now?")) {
                ExitWindowsWithPrivilege(EWX_LOGOFF, true);
            }
            return true;
        case ID_RESTART_NOW:
            if (s_.prompt.Question("Are you sure you want to Restart your system Now?")) {
                ExitWindowsWithPrivilege(EWX_REBOOT, true);
            }
            return true;
        case ID_STANDBY_NOW:
            if (s_.prompt.Question("Are you sure you want to StandBy your system Now?")) {
                s_.session.SetSystemPowerState(true, true, true);
            }
            return true;
        case ID_HIBERNATE_NOW:
            if (s_.prompt.Question("Are you sure you want to Hibernate your system Now?")) {
                s_.session.SetSystemPowerState(false, false, true);
            }
            return true;
        case ID_KILL_NOW:
            if (s_.prompt.Question(
                    "Are you sure you want to Kill the selected processes on your system Now?")) {
                if (CountSelectedProcesses() > 0) {
                    KillSelectedProcesses();
                } else {
                    s_.prompt.Stop(kNoSelectedProcesses);
                }
            }
            return true;
        default:
            return false;
    }
}

}  // namespace velmora
