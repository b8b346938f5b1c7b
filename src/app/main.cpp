// Velmora's entry point: wires the real Linux backends into the main window.
// The command line is not read (a "-tray" switch from the autostart entry
// changes nothing).
#include <QApplication>

#include "app/VelmoraApp.h"
#include "app/core/AppPaths.h"
#include "platform/linux/FreedesktopNotifier.h"
#include "platform/linux/LogindSessionControl.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform/linux/QtAlarmPlayer.h"
#include "platform/linux/QtMessagePrompt.h"
#include "platform/linux/SystemClock.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    // Ties the window to the installed menu entry (its name and icon on a
    // Wayland session).
    QApplication::setDesktopFileName(QStringLiteral("org.example.Velmora"));

    velmora::SystemClock clock;
    velmora::QtMessagePrompt prompt;
    velmora::LogindSessionControl session;
    velmora::ProcProcessTable processes;
    velmora::QtAlarmPlayer alarm(prompt);

    velmora::FreedesktopNotifier notifier;

    velmora::SchedulerServices services{
        clock,   prompt,
        session, processes,
        alarm,   velmora::SchedulePaths{velmora::SettingsFilePath(), velmora::ProcessListFile()},
        {}};
    services.notifier = &notifier;
    velmora::VelmoraApp velmoraApp;
    return velmoraApp.Run(services);
}
