#pragma once

#include <QDialog>
#include <QHash>
#include <memory>

#include "scheduler/SchedulerServices.h"
#include "scheduler/core/ScheduleView.h"

class QDateEdit;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimeEdit;

namespace velmora {

class MarkupTooltip;
class ScheduleCore;
class SecondTimer;

// The main window: the date and time pickers, the schedule's labels, the
// progress bar and the command buttons. It is a thin view: every command goes
// to the schedule logic, which answers by setting texts and states here.
class SchedulerDialog : public QDialog, public ScheduleView {
    Q_OBJECT
public:
    explicit SchedulerDialog(SchedulerServices services, QWidget* parent = nullptr);
    ~SchedulerDialog() override;

    // Dispatches a command id as the window's buttons and menus do; false
    // when nothing handles it.
    bool OnCommand(int commandId);

    ScheduleCore& Core() { return *core_; }
    QMenu* ActionMenu() const { return actionMenu_; }

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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void BuildActionMenu();
    void ShowProgress();
    QWidget* Control(int controlId) const;

    SchedulerServices services_;
    std::unique_ptr<ScheduleCore> core_;
    std::unique_ptr<MarkupTooltip> tooltip_;
    QHash<int, QWidget*> controls_;
    QHash<int, SecondTimer*> timers_;
    QDateEdit* datePicker_ = nullptr;
    QTimeEdit* timePicker_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QMenu* actionMenu_ = nullptr;
    int progressLow_ = 0;
    int progressHigh_ = 100;
    int progressPos_ = 0;
};

}  // namespace velmora
