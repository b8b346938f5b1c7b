#include "app/VelmoraApp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "app/SingleInstance.h"
#include "app/core/AppPaths.h"
#include "controls/CAboutDlg.h"
#include "scheduler/SchedulerDialog.h"
#include "storage/IniFile.h"

namespace velmora {

namespace {

// The notification-area menu's "Show main window" command.
constexpr int kShowMainWindowCommand = 32784;

}  // namespace

VelmoraApp::VelmoraApp(UrlOpener opener) : opener_(std::move(opener)) {
    if (!opener_) {
        opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    }
}

void VelmoraApp::PrepareSettings(const std::string& settingsFile, const std::string& defaultAlarm) {
    IniFile ini(settingsFile);
    ini.Load();
    if (ini.GetString("General Settings", "AlarmSound", "").empty()) {
        ini.SetString("General Settings", "AlarmSound", defaultAlarm, true);
    }
    ini.Save();  // a settings file that cannot be written is not an error here
}

void VelmoraApp::OnHelp() const {
    opener_(QUrl::fromLocalFile(QString::fromStdString(ShippedDataPath("help/index.html"))));
}

void VelmoraApp::BringForward(SchedulerDialog& dialog) {
    dialog.OnCommand(kShowMainWindowCommand);  // out of the notification area
    dialog.setWindowState((dialog.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

int VelmoraApp::Run(SchedulerServices services) {
    SingleInstance instance(SingleInstance::DefaultDirectory());
    if (!instance.Claim()) {
        return 0;  // the running instance comes forward instead
    }
    PrepareSettings(services.paths.settingsFile, DefaultAlarmSound());
    if (!services.openHelp) {
        services.openHelp = [this] { OnHelp(); };
    }
    if (!services.runAbout) {
        services.runAbout = [] { RunAboutBox(QApplication::activeWindow()); };
    }
    SchedulerDialog dialog(std::move(services));
    instance.SetRequestHandler([&dialog] { BringForward(dialog); });
    dialog.exec();
    return 0;
}

}  // namespace velmora
