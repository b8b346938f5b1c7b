#include "scheduler/SchedulerDialog.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimeEdit>
#include <algorithm>

#include "controls/AppIcon.h"
#include "controls/CTrayIcon.h"
#include "controls/ColorLabel.h"
#include "markup/MainWindowTooltip.h"
#include "markup/MarkupTooltip.h"
#include "scheduler/ReminderTip.h"
#include "scheduler/SecondTimers.h"
#include "scheduler/StatisticsRow.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/SettingsKeys.h"

namespace velmora {

SchedulerDialog::SchedulerDialog(SchedulerServices services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      services_(std::move(services)) {
    // A top-level window of its own (not a dialog), so it has a taskbar entry
    // while it is visible; fixed in size, so it has no maximize box.
    setWindowIcon(ApplicationIcon());
    BuildControls();
    tooltip_ = CreateMainWindowTooltip(this);
    reminderTip_ = std::make_unique<ReminderTip>(*tooltip_, *this);
    BuildMenuBar();
    // Both timers tick in one wake-up a second; the statistics are refreshed
    // once per wake-up.
    timers_ = new SecondTimers(
        services_.clock, [this](int timerId) { core_->TickClockAndCountdown(timerId); },
        [this] { core_->UpdateProcessStatistics(); }, this);
    // Ctrl+A is bound to a command that nothing handles.
    auto* ctrlA = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), this);
    connect(ctrlA, &QShortcut::activated, this, [this] { OnCommand(ID_ACCEL_CTRL_A); });

    core_ = std::make_unique<ScheduleCore>(
        ScheduleServices{*this, services_.clock, services_.prompt, services_.session,
                         services_.processes, services_.alarm, services_.notifier},
        services_.paths);
    StartUp();
}

SchedulerDialog::~SchedulerDialog() {
    for (int id : {kCountdownTimer, kClockTimer}) {
        timers_->Stop(id);
    }
    inTray_ = false;
    SyncTrayIcon();  // removes the icon
}

void SchedulerDialog::StartUp() {
    if (core_->ReadSettingInt(kKeyStartMinimized, 0) != 0) {
        // Shown minimized; the minimize request that follows once the window
        // is up hides it to the notification area when that is in use.
        setWindowState(Qt::WindowMinimized);
        QMetaObject::invokeMethod(
            this, [this] { OnSysCommand(SC_MINIMIZE); }, Qt::QueuedConnection);
    }
    // No Linux desktop lets a program add items to the window manager's
    // menu, so the About box is reached from the Help menu alone. Linux
    // starts no program with a show command: it counts as a normal show,
    // which asks for no minimize.
    core_->LoadSchedule();
    StartTimer(kClockTimer);
}

void SchedulerDialog::keyPressEvent(QKeyEvent* event) {
    // Enter presses the focused button, or ends the dialog like its OK
    // command; Esc is the dialog's cancel command.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
                button->animateClick();
            } else {
                OnCommand(ID_OK);
            }
            return;
        case Qt::Key_Escape:
            OnCommand(ID_CANCEL);
            return;
        default:
            if (QPushButton* button = MnemonicButton(*event)) {
                button->setFocus();
                button->click();
                return;
            }
            QDialog::keyPressEvent(event);
    }
}

bool SchedulerDialog::event(QEvent* event) {
    // A button's own Alt+letter wins over the menu bar's, as in any dialog
    // with a menu: the key then comes to keyPressEvent.
    if (event->type() == QEvent::ShortcutOverride &&
        MnemonicButton(*static_cast<QKeyEvent*>(event)) != nullptr) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

QPushButton* SchedulerDialog::MnemonicButton(const QKeyEvent& key) const {
    // Only a mnemonic that one button alone carries; shared ones move the
    // focus between their buttons as usual.
    const QKeySequence pressed(key.keyCombination());
    QPushButton* found = nullptr;
    for (QWidget* control : controls_) {
        auto* button = qobject_cast<QPushButton*>(control);
        if (button && button->isEnabled() && QKeySequence::mnemonic(button->text()) == pressed) {
            if (found) {
                return nullptr;
            }
            found = button;
        }
    }
    return found;
}

QWidget* SchedulerDialog::Control(int controlId) const {
    return controls_.value(controlId);
}

void SchedulerDialog::SetText(int controlId, const std::string& text) {
    // Most ticks change two labels; the others are neither touched nor
    // repainted, and the statistics row is laid out again only when one of
    // its texts may have changed its width. The labels' texts come from
    // here alone, so a text the same as the last one set is known unchanged
    // without asking the label.
    auto shown = shownTexts_.find(controlId);
    if (shown != shownTexts_.end() && shown->second == text) {
        return;
    }
    auto* label = qobject_cast<ColorLabel*>(Control(controlId));
    if (label == nullptr) {
        return;
    }
    shownTexts_.insert_or_assign(controlId, text);
    const QString newText = QString::fromStdString(text);
    const QString oldText = label->text();
    if (oldText == newText) {
        return;
    }
    label->ChangeText(newText);
    if ((controlId == IDC_RUNNING_PROCESSES || controlId == IDC_THREADS_RUNNING ||
         controlId == IDC_PROCESSES_FOR_TERMINATION) &&
        !OnlyDigitsChanged(oldText, newText, label->font())) {
        FitStatisticsRow(qobject_cast<QLabel*>(Control(IDC_RUNNING_PROCESSES)),
                         qobject_cast<QLabel*>(Control(IDC_THREADS_RUNNING)),
                         qobject_cast<QLabel*>(Control(IDC_PROCESSES_FOR_TERMINATION)));
    }
}

void SchedulerDialog::SetEnabled(int controlId, bool enabled) {
    if (QWidget* control = Control(controlId)) {
        control->setEnabled(enabled);
    }
}

bool SchedulerDialog::IsEnabled(int controlId) const {
    const QWidget* control = Control(controlId);
    return control != nullptr && control->isEnabledTo(this);
}

void SchedulerDialog::SetProgressRange(int low, int high) {
    progressLow_ = low;
    progressHigh_ = high;
    ShowProgress();
}

void SchedulerDialog::SetProgressPos(int pos) {
    progressPos_ = pos;
    ShowProgress();
}

void SchedulerDialog::ShowProgress() {
    // The bar clamps the position into its range; an empty or reversed range
    // shows an empty bar (the widget would otherwise show a busy animation).
    if (progressHigh_ <= progressLow_) {
        progress_->setRange(0, 1);
        progress_->setValue(0);
        return;
    }
    progress_->setRange(progressLow_, progressHigh_);
    progress_->setValue(std::clamp(progressPos_, progressLow_, progressHigh_));
}

DateTime SchedulerDialog::PickedDate() const {
    const QDate d = datePicker_->date();
    return DateTime::FromFields(d.year(), d.month(), d.day(), 0, 0, 0);
}

DateTime SchedulerDialog::PickedTime() const {
    const QDate d = datePicker_->date();
    const QTime t = timePicker_->time();
    return DateTime::FromFields(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

void SchedulerDialog::SetPickedDate(const DateTime& value) {
    if (value.IsValid()) {
        datePicker_->setDate(QDate(value.Year(), value.Month(), value.Day()));
    }
}

void SchedulerDialog::SetPickedTime(const DateTime& value) {
    if (value.IsValid()) {
        timePicker_->setTime(QTime(value.Hour(), value.Minute(), value.Second()));
    }
}

void SchedulerDialog::StartTimer(int timerId) {
    if (timerId == kCountdownTimer || timerId == kClockTimer) {
        timers_->Start(timerId);
    }
}

void SchedulerDialog::StopTimer(int timerId) {
    timers_->Stop(timerId);
}

bool SchedulerDialog::ShowReminder(const std::string& markup) {
    return reminderTip_->Show(markup);
}

void SchedulerDialog::HideReminder() {
    reminderTip_->Hide();
}

bool SchedulerDialog::IsTimerActive(int timerId) const {
    return timers_->IsActive(timerId);
}

}  // namespace velmora
