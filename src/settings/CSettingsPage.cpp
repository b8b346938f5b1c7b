#include "settings/CSettingsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>
#include <utility>

#include "scheduler/core/SettingsKeys.h"
#include "settings/OpenFileDialog.h"
#include "settings/SettingsControlIds.h"
#include "settings/SettingsPageParts.h"
#include "storage/IniFile.h"

namespace velmora {

namespace {

constexpr int kAlarmIndex = 0;
constexpr int kKillProcessesIndex = 6;

// The actions in the order of their stored values.
const char* const kActionNames[] = {"Alarm",    "Shutdown",  "Logoff",        "Restart",
                                    "Stand by", "Hibernate", "Kill processes"};

// The page's buttons and what a click on each does.
struct CommandEntry {
    int id;
    void (CSettingsPage::*handler)();
};

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

}  // namespace

CSettingsPage::CSettingsPage(const SettingsSheetServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    BuildControls();
}

void CSettingsPage::BuildControls() {
    auto* page = new QVBoxLayout(this);
    QGridLayout* action =
        AddIconGroup(page, QStringLiteral("Action"), 44,
                     QStringLiteral("When action process is enabled, what action you want\n"
                                    "the program to perform."));
    actionCombo_ = WithId(new QComboBox, IDC_SETTINGS_ACTION);
    for (const char* name : kActionNames) {
        actionCombo_->addItem(QString::fromUtf8(name));
    }
    alarmSoundEdit_ = WithId(new QLineEdit, IDC_SETTINGS_ALARM_SOUND);
    alarmSoundEdit_->setEnabled(false);
    browseButton_ = WithId(new QPushButton(QStringLiteral(". . .")), IDC_SETTINGS_BROWSE);
    browseButton_->setEnabled(false);
    alternateOptionBox_ = WithId(
        new QCheckBox(
            QStringLiteral("If action failure use power off alternate option (Recommended)")),
        IDC_SETTINGS_ALTERNATE);
    selectProcessesButton_ =
        WithId(new QPushButton(QStringLiteral("&Select processes")), IDC_SETTINGS_SELECT_PROCESSES);
    action->addWidget(new QLabel(QStringLiteral("Select action:")), 1, 0);
    action->addWidget(actionCombo_, 1, 1, 1, 2);
    action->addWidget(new QLabel(QStringLiteral("Alarm sound:")), 2, 0);
    action->addWidget(alarmSoundEdit_, 2, 1);
    action->addWidget(browseButton_, 2, 2);
    action->addWidget(alternateOptionBox_, 3, 0, 1, 3);
    action->addWidget(selectProcessesButton_, 4, 0, 1, 2, Qt::AlignLeft);

    QGridLayout* tray =
        AddIconGroup(page, QStringLiteral("System tray"), 45,
                     QStringLiteral("Do you want the program to use the system tray capability"));
    useTrayYesBox_ =
        WithId(new QCheckBox(QStringLiteral("Yes use system tray")), IDC_SETTINGS_TRAY_YES);
    useTrayNoBox_ =
        WithId(new QCheckBox(QStringLiteral("No do not use system tray")), IDC_SETTINGS_TRAY_NO);
    tray->addWidget(useTrayYesBox_, 1, 0, 1, 3);
    tray->addWidget(useTrayNoBox_, 2, 0, 1, 3);
    page->addStretch(1);

    // A choice made by the user (mouse, keyboard or wheel); the page's own
    // loading selects items without this signal.
    connect(actionCombo_, &QComboBox::activated, this, &CSettingsPage::OnActionChanged);
    const std::pair<QAbstractButton*, int> buttons[] = {
        {alternateOptionBox_, IDC_SETTINGS_ALTERNATE},
        {useTrayYesBox_, IDC_SETTINGS_TRAY_YES},
        {useTrayNoBox_, IDC_SETTINGS_TRAY_NO},
        {browseButton_, IDC_SETTINGS_BROWSE},
        {selectProcessesButton_, IDC_SETTINGS_SELECT_PROCESSES}};
    for (const auto& [button, id] : buttons) {
        connect(button, &QAbstractButton::clicked, this, [this, id = id] { OnCommand(id); });
    }
}

bool CSettingsPage::OnCommand(int controlId) {
    static const CommandEntry kCommandTable[] = {
        {IDC_SETTINGS_ALTERNATE, &CSettingsPage::SaveActionPage},
        {IDC_SETTINGS_TRAY_YES, &CSettingsPage::OnTrayYes},
        {IDC_SETTINGS_TRAY_NO, &CSettingsPage::OnTrayNo},
        {IDC_SETTINGS_BROWSE, &CSettingsPage::OnBrowse},
        {IDC_SETTINGS_SELECT_PROCESSES, &CSettingsPage::OnSelectProcesses},
    };
    for (const CommandEntry& entry : kCommandTable) {
        if (entry.id == controlId) {
            (this->*entry.handler)();
            return true;
        }
    }
    return false;
}

void CSettingsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown as the current page (also the first time), not merely mapped
    // again by the window system, which would drop text being typed.
    if (!event->spontaneous()) {
        LoadActionPage();
    }
}

void CSettingsPage::LoadActionPage() {
    IniFile ini(services_.settingsFile);
    ini.Load();
    const int action = ini.GetInt(kGeneralSettings, kKeyAction, 0);
    actionCombo_->setCurrentIndex(action >= 0 && action < actionCombo_->count() ? action : -1);
    const int selected = actionCombo_->currentIndex();
    alarmSoundEdit_->setEnabled(selected == kAlarmIndex);
    browseButton_->setEnabled(selected == kAlarmIndex);
    alarmSoundEdit_->setText(FromPath(ini.GetString(kGeneralSettings, kKeyAlarmSound, "")));
    alarmSoundEdit_->setCursorPosition(0);  // show where the path starts
    alternateOptionBox_->setChecked(ini.GetInt(kGeneralSettings, kKeyAlternateOption, 0) != 0);
    // Both boxes of the pair are set, so exactly one shows checked whatever
    // was clicked before a store that failed.
    const bool useTray = ini.GetInt(kGeneralSettings, kKeyUseSystemTray, 0) != 0;
    useTrayYesBox_->setChecked(useTray);
    useTrayNoBox_->setChecked(!useTray);
    selectProcessesButton_->setEnabled(selected == kKillProcessesIndex);
}

void CSettingsPage::SaveActionPage() {
    IniFile ini(services_.settingsFile);
    ini.Load();
    ini.SetInt(kGeneralSettings, kKeyAction, actionCombo_->currentIndex());
    ini.SetString(kGeneralSettings, kKeyAlarmSound, ToPath(alarmSoundEdit_->text()), true);
    ini.SetInt(kGeneralSettings, kKeyAlternateOption, alternateOptionBox_->isChecked() ? 1 : 0);
    ini.SetInt(kGeneralSettings, kKeyUseSystemTray, useTrayYesBox_->isChecked() ? 1 : 0);
    ini.Save();  // a file that cannot be written shows the stored state again
    LoadActionPage();
}

void CSettingsPage::OnActionChanged(int index) {
    const bool alarm = index == kAlarmIndex;
    alarmSoundEdit_->setEnabled(alarm);
    browseButton_->setEnabled(alarm);
    selectProcessesButton_->setEnabled(index == kKillProcessesIndex);
    if (alarm && alarmSoundEdit_->text().isEmpty()) {
        alarmSoundEdit_->setText(FromPath(services_.defaultAlarmSound));
    }
    SaveActionPage();
}

void CSettingsPage::OnBrowse() {
    static const QString kFilter = QStringLiteral("Supported Files (*.mp3;*.wav*)");
    const std::string chosen = services_.chooseSoundFile ? services_.chooseSoundFile(this, kFilter)
                                                         : ChooseExistingFile(this, kFilter);
    std::error_code ec;
    if (chosen.empty() || !std::filesystem::exists(chosen, ec)) {
        return;
    }
    alarmSoundEdit_->setText(FromPath(chosen));
    SaveActionPage();
}

void CSettingsPage::OnTrayYes() {
    useTrayNoBox_->setChecked(false);
    SaveActionPage();
}

void CSettingsPage::OnTrayNo() {
    useTrayYesBox_->setChecked(false);
    SaveActionPage();
}

void CSettingsPage::OnSelectProcesses() {
    if (services_.runProcessManager) {
        services_.runProcessManager();
    }
}

}  // namespace velmora
