#pragma once

#include <functional>
#include <string>

#include "scheduler/core/ScheduleCore.h"

namespace velmora {

// What the main window is built with: the platform services (real ones from
// main(), fakes in tests), the settings files, the application's help, and
// hooks for everything that leaves the window (other dialogs, links, the
// desktop's notification area, the end of the process), so tests can answer.
struct SchedulerServices {
    const Clock& clock;
    MessagePrompt& prompt;
    SessionControl& session;
    ProcessTable& processes;
    AlarmPlayer& alarm;
    SchedulePaths paths;
    std::function<void()> openHelp;
    // Opens a web or mail link with the desktop; nothing happens when empty.
    std::function<void(const std::string& url)> openUrl{};
    // The other dialogs, run modally; nothing happens when empty. The
    // settings sheet returns its result, 1 for OK.
    std::function<int()> runSettingsSheet{};
    std::function<void()> runProcessManager{};
    std::function<void()> runAbout{};
    // Whether the desktop offers a notification area; when empty, the
    // desktop is asked.
    std::function<bool()> trayAvailable{};
    // Ends the process at once with the code; when empty, it really does.
    std::function<void(int code)> exitProcess{};
    // The desktop's notifications for the reminder; none sends none.
    DesktopNotifier* notifier = nullptr;
};

}  // namespace velmora
