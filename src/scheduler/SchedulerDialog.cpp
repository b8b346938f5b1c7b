#include "scheduler/SchedulerDialog.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimeEdit>
#include <algorithm>

#include "controls/ColorLabel.h"
#include "markup/MainWindowTooltip.h"
#include "markup/MarkupTooltip.h"
#include "scheduler/SecondTimer.h"
#include "scheduler/StatisticsRow.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"

namespace velmora {

namespace {

// The window's own commands, beside those the schedule logic handles.
struct CommandEntry {
    int id;
    void (*handler)(SchedulerDialog&, const SchedulerServices&);
};

void OpenHelp(SchedulerDialog&, const SchedulerServices& s) {
    if (s.openHelp) {
        s.openHelp();
    }
}

const CommandEntry kCommandTable[] = {
    {ID_OK, [](SchedulerDialog& dialog, const SchedulerServices&) { dialog.accept(); }},
    {ID_CANCEL, [](SchedulerDialog& dialog, const SchedulerServices&) { dialog.reject(); }},
    {IDC_HELP, OpenHelp},
    {ID_HELP_TOPIC, OpenHelp},
    {ID_ABOUT,
     [](SchedulerDialog&, const SchedulerServices& s) {
         if (s.runAbout) {
             s.runAbout();
         }
     }},
};

}  // namespace

SchedulerDialog::SchedulerDialog(SchedulerServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    BuildControls();
    tooltip_ = CreateMainWindowTooltip(this);
    for (int id : {kCountdownTimer, kClockTimer}) {
        auto* timer = new SecondTimer(id, services_.clock, this);
        connect(timer, &SecondTimer::Tick, this, [this](int tick) { core_->OnTick(tick); });
        timers_.insert(id, timer);
    }
    // Ctrl+A is bound to a command that nothing handles.
    auto* ctrlA = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), this);
    connect(ctrlA, &QShortcut::activated, this, [this] { OnCommand(ID_ACCEL_CTRL_A); });

    core_ = std::make_unique<ScheduleCore>(
        ScheduleServices{*this, services_.clock, services_.prompt, services_.session,
                         services_.processes, services_.alarm},
        services_.paths);
    core_->LoadSchedule();
    StartTimer(kClockTimer);
}

SchedulerDialog::~SchedulerDialog() {
    for (SecondTimer* timer : timers_) {
        timer->Stop();
    }
}

bool SchedulerDialog::OnCommand(int commandId) {
    if (core_->HandleCommand(commandId)) {
        return true;
    }
    for (const CommandEntry& entry : kCommandTable) {
        if (entry.id == commandId) {
            entry.handler(*this, services_);
            return true;
        }
    }
    return false;
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
            QDialog::keyPressEvent(event);
    }
}

QWidget* SchedulerDialog::Control(int controlId) const {
    return controls_.value(controlId);
}

void SchedulerDialog::SetText(int controlId, const std::string& text) {
    if (auto* label = qobject_cast<ColorLabel*>(Control(controlId))) {
        label->SetText(QString::fromStdString(text));
    }
    if (controlId == IDC_RUNNING_PROCESSES || controlId == IDC_THREADS_RUNNING ||
        controlId == IDC_PROCESSES_FOR_TERMINATION) {
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
    if (SecondTimer* timer = timers_.value(timerId)) {
        timer->Start();
    }
}

void SchedulerDialog::StopTimer(int timerId) {
    if (SecondTimer* timer = timers_.value(timerId)) {
        timer->Stop();
    }
}

}  // namespace velmora
