#include "settings/CSettingsOtherPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/AutostartEntry.h"
#include "scheduler/core/SettingsKeys.h"
#include "settings/SettingsControlIds.h"
#include "settings/SettingsPageParts.h"
#include "settings/core/DesktopEntryText.h"
#include "storage/IniFile.h"

namespace velmora {

CSettingsOtherPage::CSettingsOtherPage(const SettingsSheetServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    auto* page = new QVBoxLayout(this);
    QGridLayout* group = AddIconGroup(page, QStringLiteral("Start up"), 49,
                                      QStringLiteral("Start Velmora when windows starts and "
                                                     "minimize\nprogram to system tray."));
    runAtStartupBox_ = WithId(new QCheckBox(QStringLiteral("Start Velmora at Windows startup")),
                              IDC_GENERAL_RUN_AT_STARTUP);
    startMinimizedBox_ = WithId(new QCheckBox(QStringLiteral("Minimize Velmora at startup")),
                                IDC_GENERAL_START_MINIMIZED);
    group->addWidget(runAtStartupBox_, 1, 0, 1, 3);
    group->addWidget(startMinimizedBox_, 2, 0, 1, 3);
    page->addStretch(1);

    connect(runAtStartupBox_, &QCheckBox::clicked, this, &CSettingsOtherPage::SetRunAtStartup);
    connect(startMinimizedBox_, &QCheckBox::clicked, this, &CSettingsOtherPage::SaveStartMinimized);
}

void CSettingsOtherPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        ReadRunAtStartup();
        LoadGeneralPage();
    }
}

void CSettingsOtherPage::ReadRunAtStartup() {
    if (const std::optional<bool> exists = services_.autostart.Exists()) {
        runAtStartupBox_->setChecked(*exists);
    }
}

void CSettingsOtherPage::SetRunAtStartup(bool checked) {
    if (checked) {
        services_.autostart.Write(AutostartEntryText(services_.executablePath));
    } else {
        services_.autostart.Remove();
    }
}

void CSettingsOtherPage::LoadGeneralPage() {
    IniFile ini(services_.settingsFile);
    ini.Load();
    startMinimizedBox_->setChecked(ini.GetInt(kGeneralSettings, kKeyStartMinimized, 0) != 0);
}

void CSettingsOtherPage::SaveStartMinimized() {
    IniFile ini(services_.settingsFile);
    ini.Load();
    ini.SetInt(kGeneralSettings, kKeyStartMinimized, startMinimizedBox_->isChecked() ? 1 : 0);
    ini.Save();
    LoadGeneralPage();
}

}  // namespace velmora
