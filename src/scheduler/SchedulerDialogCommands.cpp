// The main window's command table: every command of its buttons, its menu
// bar, the "&Action" drop menu and the notification-area menu, and the
// handlers the window keeps itself.
#include <cstdio>
#include <cstdlib>

#include "scheduler/SchedulerDialog.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"

namespace velmora {

namespace {

// The links of the Help menu.
struct Link {
    int commandId;
    const char* url;
};

constexpr Link kLinks[] = {
    {ID_WEB_SITE, "https://www.example.org/velmora/"},
    {ID_REVIEW, "https://www.example.org/velmora/review"},
    {ID_REPORT_BUG, "mailto:velmora-bugs@example.org"},
};

}  // namespace

std::span<const SchedulerDialog::CommandEntry> SchedulerDialog::CommandTable() {
    // "Manage Scheduled Tasks" (ID_MANAGE_TASKS) and Ctrl+A (ID_ACCEL_CTRL_A)
    // are not handled: choosing them does nothing.
    static constexpr CommandEntry kTable[] = {
        {ID_OK, &SchedulerDialog::OnOk},
        {ID_CANCEL, &SchedulerDialog::OnCancel},
        {IDC_ENABLE, &SchedulerDialog::OnScheduleCommand},
        {IDC_DISABLE, &SchedulerDialog::OnScheduleCommand},
        {ID_ENABLE_ALARM, &SchedulerDialog::OnScheduleCommand},
        {ID_ENABLE_SHUTDOWN, &SchedulerDialog::OnScheduleCommand},
        {ID_ENABLE_LOGOFF, &SchedulerDialog::OnScheduleCommand},
        {ID_ENABLE_RESTART, &SchedulerDialog::OnScheduleCommand},
        {ID_ENABLE_STANDBY, &SchedulerDialog::OnScheduleCommand},
        {ID_ENABLE_HIBERNATE, &SchedulerDialog::OnScheduleCommand},
        {ID_ENABLE_KILL, &SchedulerDialog::OnScheduleCommand},
        {IDC_TEST_SHUTDOWN, &SchedulerDialog::OnScheduleCommand},
        {IDC_TEST_LOGOFF, &SchedulerDialog::OnScheduleCommand},
        {IDC_TEST_RESTART, &SchedulerDialog::OnScheduleCommand},
        {ID_SHUTDOWN_NOW, &SchedulerDialog::OnScheduleCommand},
        {ID_LOGOFF_NOW, &SchedulerDialog::OnScheduleCommand},
        {ID_RESTART_NOW, &SchedulerDialog::OnScheduleCommand},
        {ID_STANDBY_NOW, &SchedulerDialog::OnScheduleCommand},
        {ID_HIBERNATE_NOW, &SchedulerDialog::OnScheduleCommand},
        {ID_KILL_NOW, &SchedulerDialog::OnScheduleCommand},
        {IDC_SETTINGS, &SchedulerDialog::OnSettings},
        {ID_GENERAL_SETTINGS, &SchedulerDialog::OnSettings},
        {ID_SELECT_PROCESSES, &SchedulerDialog::OnProcessManager},
        {ID_ABOUT, &SchedulerDialog::OnAbout},
        {ID_SHOW_MAIN_WINDOW, &SchedulerDialog::OnShowMainWindow},
        {ID_EXIT_PROGRAM, &SchedulerDialog::OnExitProgram},
        {ID_WEB_SITE, &SchedulerDialog::OnLink},
        {ID_REVIEW, &SchedulerDialog::OnLink},
        {ID_REPORT_BUG, &SchedulerDialog::OnLink},
        {IDC_HELP, &SchedulerDialog::OnHelp},
        {ID_HELP_TOPIC, &SchedulerDialog::OnHelp},
    };
    return kTable;
}

bool SchedulerDialog::OnCommand(int commandId) {
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.id == commandId) {
            (this->*entry.handler)(commandId);
            return true;
        }
    }
    return false;
}

std::vector<int> SchedulerDialog::HandledCommands() {
    std::vector<int> ids;
    for (const CommandEntry& entry : CommandTable()) {
        ids.push_back(entry.id);
    }
    return ids;
}

void SchedulerDialog::OnScheduleCommand(int commandId) {
    core_->HandleCommand(commandId);
}

void SchedulerDialog::OnOk(int) {
    accept();
}

void SchedulerDialog::OnCancel(int) {
    reject();
}

void SchedulerDialog::OnHelp(int) {
    if (services_.openHelp) {
        services_.openHelp();
    }
}

void SchedulerDialog::OnSettings(int) {
    if (!services_.runSettingsSheet) {
        return;
    }
    // Only the status text follows a changed action at once; every other
    // setting takes effect where it is next read.
    if (services_.runSettingsSheet() == 1 && core_->IsArmed()) {
        core_->ShowActionStatus();
    }
}

void SchedulerDialog::OnProcessManager(int) {
    if (services_.runProcessManager) {
        services_.runProcessManager();
    }
}

void SchedulerDialog::OnAbout(int) {
    if (services_.runAbout) {
        services_.runAbout();
    }
}

void SchedulerDialog::OnExitProgram(int) {
    ExitProcess(1);
}

void SchedulerDialog::ExitProcess(int code) {
    if (services_.exitProcess) {
        services_.exitProcess(code);
        return;
    }
    // At once: nothing is saved or cleaned up first (every setting is already
    // on disk), only pending output is written.
    std::fflush(nullptr);
    std::_Exit(code);
}

void SchedulerDialog::OnLink(int commandId) {
    for (const Link& link : kLinks) {
        if (link.commandId == commandId && services_.openUrl) {
            services_.openUrl(link.url);
        }
    }
}

}  // namespace velmora
