// Velmora's entry point: wires the real Linux backends into the main window.
// The command line is not read (a "-tray" switch from the autostart entry
// changes nothing).
#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <thread>

#include "app/VelmoraApp.h"
#include "app/core/AppPaths.h"
#include "controls/QuietStartStyle.h"
#include "platform/linux/FreedesktopNotifier.h"
#include "platform/linux/LazyAlarmPlayer.h"
#include "platform/linux/LogindSessionControl.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform/linux/QtMessagePrompt.h"
#include "platform/linux/SystemClock.h"

namespace {

// Loads the font configuration, then asks it what the first text of the
// window will ask: the list of every font and the order of the fonts that
// stand in for the default sans-serif one. The answers are dropped; what is
// kept is the font caches read in, so the window's first font is found in
// memory already.
void WarmFontConfiguration() {
    if (FcInit() == FcFalse) {
        return;
    }
    if (FcPattern* sans = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"))) {
        FcConfigSubstitute(nullptr, sans, FcMatchPattern);
        FcDefaultSubstitute(sans);
        FcResult result = FcResultNoMatch;
        if (FcFontSet* sorted = FcFontSort(nullptr, sans, FcFalse, nullptr, &result)) {
            FcFontSetDestroy(sorted);
        }
        FcPatternDestroy(sans);
    }
    FcPattern* any = FcPatternCreate();
    FcObjectSet* fields = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_WEIGHT, FC_SLANT, FC_SPACING,
                                           FC_FILE, FC_INDEX, FC_LANG, FC_CHARSET, FC_SCALABLE,
                                           FC_WIDTH, FC_FONTFORMAT, static_cast<char*>(nullptr));
    if (any != nullptr && fields != nullptr) {
        if (FcFontSet* all = FcFontList(nullptr, any, fields)) {
            FcFontSetDestroy(all);
        }
    }
    if (fields != nullptr) {
        FcObjectSetDestroy(fields);
    }
    if (any != nullptr) {
        FcPatternDestroy(any);
    }
}

}  // namespace

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
    // Loading the font configuration is the longest single step before the
    // window can show its first text, and it needs nothing of Qt: it runs on
    // its own while the application connects to the display, and is done
    // before the window is built.
    std::thread fontConfiguration(WarmFontConfiguration);
    QApplication app(argc, argv);
    if (quietPaint) {
        qunsetenv("QT_XCB_NO_MITSHM");
    }
    fontConfiguration.join();
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
