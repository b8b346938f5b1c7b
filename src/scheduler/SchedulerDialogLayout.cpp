// The main window's controls and their fixed places, in dialog units.
#include <QDateEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTimeEdit>

#include "controls/ColorLabel.h"
#include "controls/DialogUnits.h"
#include "controls/SteadyCaret.h"
#include "controls/ThemedSkinButton.h"
#include "scheduler/MainMenus.h"
#include "scheduler/MainWindowDressing.h"
#include "scheduler/SchedulerDialog.h"
#include "scheduler/core/ControlIds.h"

namespace velmora {

namespace {

struct LabelSpec {
    int id;
    const char* text;
    QRect rect;
    Qt::Alignment align;
};

struct ButtonSpec {
    int id;
    const char* caption;
    QRect rect;
};

}  // namespace

void SchedulerDialog::BuildControls() {
    setWindowTitle(QStringLiteral("Velmora (Beta 2)"));
    setFixedSize(Dlu(0, 0, 320, 201).size());
    // The layout is measured for an 8-point dialog font.
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const LabelSpec labels[] = {
        {IDC_HEADING, "Select date and time you want your pc to perform an action",
         Dlu(7, 6, 306, 10), left},
        {IDC_ACTION_CAPTION, "Action:", Dlu(7, 46, 66, 10), left},
        {IDC_ACTION_STATE, "Disabled", Dlu(76, 46, 237, 10), left},
        {IDC_STATUS_CAPTION, "Status:", Dlu(7, 58, 66, 10), left},
        {IDC_STATUS, "Waiting for command...", Dlu(76, 58, 237, 10), left},
        {IDC_ACTION_TIME_CAPTION, "Action time:", Dlu(7, 70, 66, 10), left},
        {IDC_ACTION_TIME, "Waiting time...", Dlu(76, 70, 237, 10), left},
        {IDC_CURRENT_TIME_CAPTION, "Current time:", Dlu(7, 82, 66, 10), left},
        {IDC_CURRENT_TIME, "Getting system time...", Dlu(76, 82, 237, 10), left},
        {IDC_REMAINING_CAPTION, "Remaining time:", Dlu(7, 94, 66, 10), left},
        {IDC_REMAINING, "00:00:00:00", Dlu(76, 94, 237, 10), left},
        {IDC_RUNNING_PROCESSES, "", Dlu(7, 124, 96, 10), left},
        {IDC_THREADS_RUNNING, "Getting system information\u2026", Dlu(105, 124, 92, 10),
         Qt::AlignCenter},
        {IDC_PROCESSES_FOR_TERMINATION, "", Dlu(199, 124, 114, 10),
         Qt::AlignRight | Qt::AlignVCenter},
    };
    for (const LabelSpec& spec : labels) {
        auto* label = new ColorLabel(QString::fromUtf8(spec.text), this);
        // Fixed in size, so a new text does not ask the window to lay out
        // its children again.
        label->setFixedSize(spec.rect.size());
        label->move(spec.rect.topLeft());
        label->setAlignment(spec.align);
        controls_.insert(spec.id, label);
    }

    datePicker_ = new QDateEdit(QDate::currentDate(), this);
    datePicker_->setCalendarPopup(true);
    datePicker_->setDisplayFormat(QStringLiteral("ddd d MMMM yyyy"));
    datePicker_->setGeometry(Dlu(7, 20, 118, 15));
    controls_.insert(IDC_DATE_PICKER, datePicker_);

    timePicker_ = new QTimeEdit(QTime::currentTime(), this);
    timePicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    timePicker_->setGeometry(Dlu(130, 20, 56, 15));
    controls_.insert(IDC_TIME_PICKER, timePicker_);
    // The window waits for hours with the focus in a picker: its caret must
    // not wake the program twice a second.
    SteadyCaret::Apply(datePicker_);
    SteadyCaret::Apply(timePicker_);

    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    progress_->setGeometry(Dlu(7, 108, 306, 10));
    controls_.insert(IDC_PROGRESS, progress_);
    ShowProgress();

    const ButtonSpec buttons[] = {
        {IDC_ENABLE, "E&nable", Dlu(193, 19, 58, 17)},
        {IDC_DISABLE, "&Disable", Dlu(255, 19, 58, 17)},
        {IDC_TEST_SHUTDOWN, "&Test shutdown", Dlu(7, 142, 100, 17)},
        {IDC_TEST_LOGOFF, "&Test logoff", Dlu(110, 142, 100, 17)},
        {IDC_TEST_RESTART, "&Test restart", Dlu(213, 142, 100, 17)},
        {IDC_HELP, "&Help", Dlu(7, 176, 72, 17)},
        {IDC_SETTINGS, "&Settings", Dlu(85, 176, 72, 17)},
        {IDC_ACTION_BUTTON, "&Action", Dlu(163, 176, 72, 17)},
        {IDC_EXIT, "&Exit", Dlu(241, 176, 72, 17)},
    };
    for (const ButtonSpec& spec : buttons) {
        auto* button = new ThemedSkinButton(QString::fromUtf8(spec.caption), this);
        button->setGeometry(spec.rect);
        button->setAutoDefault(false);
        controls_.insert(spec.id, button);
        if (spec.id != IDC_ACTION_BUTTON) {
            const int id = spec.id;
            connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
        }
    }
    controls_.value(IDC_DISABLE)->setEnabled(false);

    for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
        it.value()->setObjectName(QStringLiteral("id%1").arg(it.key()));
    }
    BuildActionMenu();
    DressMainWindow(*this, controls_, actionMenu_, [this](int id) { OnCommand(id); });
}

void SchedulerDialog::BuildActionMenu() {
    actionMenu_ = new QMenu(this);
    actionMenu_->setObjectName(QStringLiteral("menu%1").arg(IDR_ACTION_MENU));
    // The "&Action" button drops this menu and posts the chosen item's
    // command to the window, so the items themselves are not wired.
    FillMenu(*actionMenu_, MainMenuResource(IDR_ACTION_MENU)->popups.front().items, {});
}

}  // namespace velmora
