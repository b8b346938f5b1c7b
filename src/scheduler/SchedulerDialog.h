#pragma once

#include <QDialog>
#include <QHash>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "scheduler/SchedulerServices.h"
#include "scheduler/core/ScheduleView.h"

class QDateEdit;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTimeEdit;

namespace velmora {

class CTrayIcon;
class MarkupTooltip;
class ReminderTip;
class ScheduleCore;
class SecondTimers;

// The main window: the menu bar, the date and time pickers, the schedule's
// labels, the progress bar and the command buttons. It is a thin view: the
// schedule's commands go to the schedule logic, which answers by setting
// texts and states here. With "UseSystemTray" set, minimizing or closing it
// hides it to the notification area, from where its icon brings it back.
class SchedulerDialog : public QDialog, public ScheduleView {
    Q_OBJECT
public:
    explicit SchedulerDialog(SchedulerServices services, QWidget* parent = nullptr);
    ~SchedulerDialog() override;

    // Dispatches a command id as the window's buttons and menus do; false
    // when nothing handles it.
    bool OnCommand(int commandId);
    // The ids the window's command table handles.
    static std::vector<int> HandledCommands();

    // The window commands of the system menu and the title bar.
    enum SysCommand { SC_MINIMIZE, SC_RESTORE, SC_CLOSE };
    void OnSysCommand(SysCommand command);

    ScheduleCore& Core() { return *core_; }
    QMenu* ActionMenu() const { return actionMenu_; }
    bool InTray() const { return inTray_; }
    CTrayIcon* TrayIcon() const { return tray_.get(); }
    bool IsTimerActive(int timerId) const;

    // ScheduleView
    void SetText(int controlId, const std::string& text) override;
    void SetEnabled(int controlId, bool enabled) override;
    bool IsEnabled(int controlId) const override;
    void SetProgressRange(int low, int high) override;
    void SetProgressPos(int pos) override;
    DateTime PickedDate() const override;
    DateTime PickedTime() const override;
    void SetPickedDate(const DateTime& value) override;
    void SetPickedTime(const DateTime& value) override;
    void StartTimer(int timerId) override;
    void StopTimer(int timerId) override;
    bool ShowReminder(const std::string& markup) override;
    void HideReminder() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct CommandEntry {
        int id;
        void (SchedulerDialog::*handler)(int commandId);
    };
    static std::span<const CommandEntry> CommandTable();

    // Command handlers.
    void OnScheduleCommand(int commandId);
    void OnOk(int commandId);
    void OnCancel(int commandId);
    void OnHelp(int commandId);
    void OnSettings(int commandId);
    void OnProcessManager(int commandId);
    void OnAbout(int commandId);
    void OnShowMainWindow(int commandId);
    void OnExitProgram(int commandId);
    void OnLink(int commandId);

    void BuildControls();
    void BuildActionMenu();
    void BuildMenuBar();
    void StartUp();
    void OnClose();
    void SyncTrayIcon();
    bool TrayAvailable() const;
    int UseSystemTray() const;
    void ExitProcess(int code);
    QPushButton* MnemonicButton(const QKeyEvent& key) const;
    void ShowProgress();
    QWidget* Control(int controlId) const;

    SchedulerServices services_;
    std::unique_ptr<ScheduleCore> core_;
    std::unique_ptr<MarkupTooltip> tooltip_;
    std::unique_ptr<ReminderTip> reminderTip_;
    QHash<int, QWidget*> controls_;
    // The text each label was last given through SetText.
    std::unordered_map<int, std::string> shownTexts_;
    SecondTimers* timers_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    QTimeEdit* timePicker_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QMenu* actionMenu_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    // Hidden to the notification area; the icon exists exactly while set.
    bool inTray_ = false;
    std::unique_ptr<CTrayIcon> tray_;
    // Set while the window changes its own state, so those changes are not
    // taken for the user's minimize or restore.
    bool changingState_ = false;
    int progressLow_ = 0;
    int progressHigh_ = 100;
    int progressPos_ = 0;
};

}  // namespace velmora
