// Minimizing, restoring and closing the main window, and hiding it to the
// desktop's notification area when "UseSystemTray" is set.
#include <QCloseEvent>
#include <QSystemTrayIcon>

#include "controls/CTrayIcon.h"
#include "scheduler/MainMenus.h"
#include "scheduler/SchedulerDialog.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/SettingsKeys.h"

namespace velmora {

namespace {

// Sets a flag for the life of the object.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = old_; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

int SchedulerDialog::UseSystemTray() const {
    return core_->ReadSettingInt(kKeyUseSystemTray, 0);
}

bool SchedulerDialog::TrayAvailable() const {
    return services_.trayAvailable ? services_.trayAvailable()
                                   : QSystemTrayIcon::isSystemTrayAvailable();
}

void SchedulerDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Only the user minimizes or restores: not the window itself, and not the
    // desktop catching up with a window already hidden.
    if (event->type() != QEvent::WindowStateChange || changingState_ || isHidden()) {
        return;
    }
    // Handled once the state change is complete, as a posted command.
    const bool wasMinimized =
        static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
    if (isMinimized() != wasMinimized) {
        const SysCommand command = isMinimized() ? SC_MINIMIZE : SC_RESTORE;
        QMetaObject::invokeMethod(
            this, [this, command] { OnSysCommand(command); }, Qt::QueuedConnection);
    }
}

void SchedulerDialog::closeEvent(QCloseEvent* event) {
    // The window is never closed: it ends the process, or goes to the
    // notification area. Enter, Esc and "&Exit" end it without a close.
    event->ignore();
    OnSysCommand(SC_CLOSE);
}

void SchedulerDialog::OnSysCommand(SysCommand command) {
    const FlagGuard guard(changingState_);
    switch (command) {
        case SC_MINIMIZE:
            if (!isMinimized()) {
                showMinimized();
            }
            break;
        case SC_RESTORE:
            showNormal();
            break;
        case SC_CLOSE:
            OnClose();
            break;
    }
    if (UseSystemTray() == 0) {
        return;
    }
    const bool wasInTray = inTray_;
    if (command == SC_CLOSE || command == SC_MINIMIZE) {
        inTray_ = true;
    } else if (command == SC_RESTORE) {
        inTray_ = false;
    }
    if (inTray_ == wasInTray) {
        return;
    }
    const bool toTray = inTray_;
    SyncTrayIcon();
    if (inTray_) {
        hide();
    } else if (toTray) {
        // No notification area: the taskbar keeps the window within reach.
        showMinimized();
    } else {
        show();
    }
}

void SchedulerDialog::OnClose() {
    if (UseSystemTray() == 0) {
        ExitProcess(1);
    }
}

void SchedulerDialog::SyncTrayIcon() {
    if (inTray_ && !tray_) {
        auto tray = std::make_unique<CTrayIcon>(
            this, [this](int commandId) { OnCommand(commandId); }, &MainMenuResource);
        if (TrayAvailable() && tray->Create(windowTitle(), windowIcon(), IDR_TRAY_MENU)) {
            tray_ = std::move(tray);
        } else {
            inTray_ = false;  // the icon cannot be shown: the window stays out
        }
    } else {
        tray_.reset();
    }
}

void SchedulerDialog::OnShowMainWindow(int) {
    // From any state: hidden in the notification area, minimized, or behind
    // other windows.
    const FlagGuard guard(changingState_);
    showNormal();
    inTray_ = false;
    SyncTrayIcon();
    show();
    raise();
    activateWindow();
}

}  // namespace velmora
