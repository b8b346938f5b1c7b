#include "app/VelmoraApp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "app/core/AppPaths.h"
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
    if (!services.openUrl) {
        services.openUrl = [this](const std::string& url) {
            opener_(QUrl(QString::fromStdString(url)));
        };
    }
    SchedulerDialog dialog(std::move(services));
    // The window is not run as a modal dialog: hiding it to the notification
    // area must not end the run, nor must the last message box closing while
    // it is hidden. Only the window's own end (Enter, Esc, "&Exit") does.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&dialog, &QDialog::finished, qApp, [] { QApplication::exit(0); });
    dialog.show();
    return QApplication::exec();
}

}  // namespace velmora
