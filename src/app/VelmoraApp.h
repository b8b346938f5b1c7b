#pragma once

#include <functional>
#include <string>

#include "scheduler/SchedulerServices.h"

class QUrl;

namespace velmora {

class AutostartEntry;
class SchedulerDialog;

// The application: one per user; prepares the settings file, runs the main
// window until it ends, and opens the user manual and the Help menu's links
// on request.
class VelmoraApp {
public:
    // Opens a URL; tests replace it to see what would be opened.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit VelmoraApp(UrlOpener opener = {});

    // Writes the default alarm sound when "AlarmSound" is empty, and saves
    // the settings file in every case, so the first start creates it.
    static void PrepareSettings(const std::string& settingsFile, const std::string& defaultAlarm);

    // Opens the HTML user manual that ships with the program.
    void OnHelp() const;

    // Shows the main window restored, raised and active, out of the
    // notification area when it is there: what a second start asks for.
    static void BringForward(SchedulerDialog& dialog);

    // Prepares the settings, runs the main window until it is closed, and
    // returns the process exit code. When the program already runs for this
    // user, asks it to come forward instead and returns 0 at once.
    int Run(SchedulerServices services);

private:
    // Gives every dialog and link hook the caller left empty its real
    // window: the manual, the links, the About box, the process manager and
    // the settings sheet (whose "&Select processes" runs the same manager).
    // The hooks refer to `services` and `autostart`, which outlive the run.
    void FillDialogHooks(SchedulerServices& services, AutostartEntry& autostart) const;

    UrlOpener opener_;
};

}  // namespace velmora
