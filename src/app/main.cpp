// Velmora's entry point: wires the real Linux backends into the main window.
// The command line is not read (a "-tray" switch from the autostart entry
// changes nothing).
#include <QApplication>
#include <QScopeGuard>
#include <optional>

#include "app/StartupWarmup.h"
#include "app/VelmoraApp.h"
#include "app/core/AppPaths.h"
#include "controls/QuietStartStyle.h"
#include "platform/linux/FreedesktopNotifier.h"
#include "platform/linux/LazyAlarmPlayer.h"
#include "platform/linux/LogindSessionControl.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform/linux/QtMessagePrompt.h"
#include "platform/linux/SystemClock.h"

int main(int argc, char* argv[]) {
    // On X11, Qt hands the window's pixels to the server in shared memory
    // and, before painting over pixels it handed over earlier, waits for the
    // server with a round trip: two more thread wake-ups at every tick of the
    // clock. The few pixels a tick changes go over the connection with no
    // wait. The setting is read while the connection is made and removed
    // again, so the programs this one starts (a browser for the links) do
    // not inherit it.
    const bool quietPaint = !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
    if (quietPaint) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    // The display plugin first, then the fonts beside the application's
    // connection to the display and the building of the window.
    std::optional<velmora::DisplayPluginPreload> displayPlugin(std::in_place);
    velmora::FontWarmup fonts;
    QApplication app(argc, argv);
    displayPlugin.reset();
    fonts.ApplicationUp();
    const auto fontsDone = qScopeGuard([&fonts] { fonts.Finish(); });
    if (quietPaint) {
        qunsetenv("QT_XCB_NO_MITSHM");
    }
    // Before any window is built; the application owns and ends the style.
    QApplication::setStyle(new velmora::QuietStartStyle);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    // Ties the window to the installed menu entry (its name and icon on a
    // Wayland session).
    QApplication::setDesktopFileName(QStringLiteral("org.example.Velmora"));

    velmora::SystemClock clock;
    velmora::QtMessagePrompt prompt;
    velmora::LogindSessionControl session;
    velmora::ProcProcessTable processes;
    velmora::LazyAlarmPlayer alarm(prompt);

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
