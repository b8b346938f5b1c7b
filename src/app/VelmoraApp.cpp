#include "app/VelmoraApp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "app/SingleInstance.h"
#include "app/core/AppPaths.h"
#include "controls/CAboutDlg.h"
#include "platform/linux/XdgAutostartEntry.h"
#include "procman/CSelectProcessesDlg.h"
#include "procman/ProcessManagerServices.h"
#include "scheduler/SchedulerDialog.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/SettingsKeys.h"
#include "settings/CSettingsSheet.h"
#include "settings/SettingsSheetServices.h"
#include "storage/IniFile.h"

namespace velmora {

VelmoraApp::VelmoraApp(UrlOpener opener) : opener_(std::move(opener)) {
    if (!opener_) {
        opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    }
}

void VelmoraApp::PrepareSettings(const std::string& settingsFile, const std::string& defaultAlarm) {
    IniFile ini(settingsFile);
    ini.Load();
    if (ini.GetString(kGeneralSettings, kKeyAlarmSound, "").empty()) {
        ini.SetString(kGeneralSettings, kKeyAlarmSound, defaultAlarm, true);
    }
    ini.Save();  // a settings file that cannot be written is not an error here
}

void VelmoraApp::OnHelp() const {
    opener_(QUrl::fromLocalFile(QString::fromStdString(ShippedDataPath("help/index.html"))));
}

void VelmoraApp::BringForward(SchedulerDialog& dialog) {
    // Out of the notification area or a minimized state, and in front.
    dialog.OnCommand(ID_SHOW_MAIN_WINDOW);
}

void VelmoraApp::FillDialogHooks(SchedulerServices& services, AutostartEntry& autostart) const {
    if (!services.openHelp) {
        services.openHelp = [this] { OnHelp(); };
    }
    if (!services.openUrl) {
        services.openUrl = [this](const std::string& url) {
            opener_(QUrl(QString::fromStdString(url)));
        };
    }
    if (!services.runAbout) {
        services.runAbout = [] { RunAboutBox(QApplication::activeWindow()); };
    }
    if (!services.runProcessManager) {
        services.runProcessManager = [&services] {
            RunProcessManager(ProcessManagerServices{services.paths.settingsFile,
                                                     services.paths.processListFile,
                                                     services.processes, services.prompt});
        };
    }
    if (!services.runSettingsSheet) {
        // The Action page's "&Select processes" opens the same process manager.
        services.runSettingsSheet = [&services, &autostart] {
            return RunSettingsSheet(SettingsSheetServices{services.paths.settingsFile,
                                                          DefaultAlarmSound(),
                                                          ExecutablePath(),
                                                          autostart,
                                                          services.runProcessManager,
                                                          {}});
        };
    }
}

int VelmoraApp::Run(SchedulerServices services) {
    SingleInstance instance(SingleInstance::DefaultDirectory());
    if (!instance.Claim()) {
        return 0;  // the running instance comes forward instead
    }
    PrepareSettings(services.paths.settingsFile, DefaultAlarmSound());
    XdgAutostartEntry autostart(AutostartEntryPath());
    FillDialogHooks(services, autostart);
    SchedulerDialog dialog(services);
    instance.SetRequestHandler([&dialog] { BringForward(dialog); });
    // The window is not run as a modal dialog: hiding it to the notification
    // area must not end the run, nor must the last message box closing while
    // it is hidden. Only the window's own end (Enter, Esc, "&Exit") does.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&dialog, &QDialog::finished, qApp, [] { QApplication::exit(0); });
    dialog.show();
    return QApplication::exec();
}

}  // namespace velmora
