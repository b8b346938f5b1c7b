#include "app/VelmoraApp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "app/core/AppPaths.h"
#include "controls/CAboutDlg.h"
#include "scheduler/SchedulerDialog.h"
#include "storage/IniFile.h"

namespace velmora {

VelmoraApp::VelmoraApp(UrlOpener opener) : opener_(std::move(opener)) {
    if (!opener_) {
        opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    }
}

void VelmoraApp::PrepareSettings(const std::string& settingsFile,
                                 const std::string& defaultAlarm) {
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

int VelmoraApp::Run(SchedulerServices services) {
    PrepareSettings(services.paths.settingsFile, DefaultAlarmSound());
    if (!services.openHelp) {
        services.openHelp = [this] { OnHelp(); };
    }
    if (!services.runAbout) {
        services.runAbout = [] { RunAboutBox(QApplication::activeWindow()); };
    }
    SchedulerDialog dialog(std::move(services));
    dialog.exec();
    return 0;
}

}  // namespace velmora
