#pragma once

// A main window over fakes, with its settings files in a fresh directory.
#include <memory>

#include "fakes/FakeAlarm.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeProcessTable.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeSession.h"
#include "fakes/TempDir.h"
#include "scheduler/SchedulerDialog.h"

namespace velmora::test {

struct DialogFixture {
    explicit DialogFixture(std::int64_t nowMs = 0) {
        clock.Set(nowMs);
        Make();
    }
    void Make() {
        dialog = std::make_unique<SchedulerDialog>(
            SchedulerServices{clock, prompt, session, processes, alarm,
                              SchedulePaths{dir.File("Velmora.ini"), dir.File("Process.ini")},
                              [this] { ++helpOpened; }, [this] { ++aboutRuns; }});
    }

    TempDir dir;
    FakeClock clock;
    FakePrompt prompt;
    FakeSession session;
    FakeProcessTable processes;
    FakeAlarm alarm;
    int helpOpened = 0;
    int aboutRuns = 0;
    std::unique_ptr<SchedulerDialog> dialog;
};

}  // namespace velmora::test
