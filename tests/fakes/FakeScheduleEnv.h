#pragma once

#include <string>
#include <vector>

#include "FakeAlarm.h"
#include "FakeClock.h"
#include "FakeNotifier.h"
#include "FakeProcessTable.h"
#include "FakePrompt.h"
#include "FakeSession.h"
#include "FakeView.h"
#include "TempDir.h"
#include "scheduler/core/ScheduleCore.h"

namespace velmora::test {

// A schedule over fakes with its settings files in a fresh directory; the
// view, prompt, session and alarm also journal into `events`, in order.
struct FakeScheduleEnv {
    FakeScheduleEnv() {
        for (Journal* j : {&view.journal, &prompt.journal, &session.journal, &alarm.journal}) {
            j->shared = &events;
        }
    }
    std::string SettingsFile() const { return dir.File("Velmora.ini"); }
    std::string ProcessListFile() const { return dir.File("Process.ini"); }
    void Settings(const std::string& lines) const {
        WriteFile(SettingsFile(), "[General Settings]\n" + lines);
    }
    // Sets the clock to a local time on 14 May 2024 and lets one timer tick.
    void TickAt(int hour, int minute, int second, int ms = 0, int timerId = kClockTimer) {
        clock.SetLocal(2024, 5, 14, hour, minute, second, ms);
        core.OnTick(timerId);
    }

    TempDir dir;
    FakeView view;
    FakeClock clock;
    FakePrompt prompt;
    FakeSession session;
    FakeProcessTable processes;
    FakeAlarm alarm;
    FakeNotifier notifier;
    std::vector<std::string> events;
    ScheduleCore core{ScheduleServices{view, clock, prompt, session, processes, alarm, &notifier},
                      SchedulePaths{SettingsFile(), ProcessListFile()}};
};

}  // namespace velmora::test
