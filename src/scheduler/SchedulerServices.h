#pragma once

#include <functional>

#include "scheduler/core/ScheduleCore.h"

namespace velmora {

// What the main window is built with: the platform services (real ones from
// main(), fakes in tests), the settings files, and the application's help.
struct SchedulerServices {
    const Clock& clock;
    MessagePrompt& prompt;
    SessionControl& session;
    ProcessTable& processes;
    AlarmPlayer& alarm;
    SchedulePaths paths;
    std::function<void()> openHelp;
    std::function<void()> runAbout = {};  // the About box, run modally
};

}  // namespace velmora
