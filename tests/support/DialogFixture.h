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
        SchedulerServices s(clock, prompt, session, processes, alarm,
                            SchedulePaths{dir.File("Velmora.ini"), dir.File("Process.ini")},
                            [this] { ++helpOpened; });
        s.openUrl = [this](const std::string& url) { opened.push_back(url); };
        s.runSettingsSheet = [this] { return opened.push_back("settings"), settingsResult; };
        s.runProcessManager = [this] { opened.push_back("process manager"); };
        s.runAbout = [this] { opened.push_back("about"); };
        s.trayAvailable = [this] { return trayAvailable; };
        s.exitProcess = [this](int code) { exitCodes.push_back(code); };
        dialog = std::make_unique<SchedulerDialog>(std::move(s));
    }

    TempDir dir;
    FakeClock clock;
    FakePrompt prompt;
    FakeSession session;
    FakeProcessTable processes;
    FakeAlarm alarm;
    int helpOpened = 0;
    std::vector<std::string> opened;  // links and the other dialogs, in order
    int settingsResult = 1;
    bool trayAvailable = true;
    std::vector<int> exitCodes;
    std::unique_ptr<SchedulerDialog> dialog;
};

}  // namespace velmora::test
