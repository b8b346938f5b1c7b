#pragma once

// A main window over the fakes of FakeScheduleEnv, with its settings files in a
// fresh directory; what leaves the window is recorded.
#include <memory>

#include "fakes/FakeScheduleEnv.h"
#include "scheduler/SchedulerDialog.h"

namespace velmora::test {

struct DialogFixture : FakeScheduleEnv {
    explicit DialogFixture(std::int64_t nowMs = 0) {
        clock.Set(nowMs);
        Make();
    }
    void Make() {
        SchedulerServices s(clock, prompt, session, processes, alarm,
                            SchedulePaths{SettingsFile(), ProcessListFile()},
                            [this] { ++helpOpened; });
        s.openUrl = [this](const std::string& url) { opened.push_back(url); };
        s.runSettingsSheet = [this] { return opened.push_back("settings"), settingsResult; };
        s.runProcessManager = [this] { opened.push_back("process manager"); };
        s.runAbout = [this] { opened.push_back("about"); };
        s.trayAvailable = [this] { return trayAvailable; };
        s.exitProcess = [this](int code) { exitCodes.push_back(code); };
        dialog = std::make_unique<SchedulerDialog>(std::move(s));
    }
    int helpOpened = 0;
    std::vector<std::string> opened;  // links and the other dialogs, in order
    int settingsResult = 1;
    bool trayAvailable = true;
    std::vector<int> exitCodes;
    std::unique_ptr<SchedulerDialog> dialog;
};

}  // namespace velmora::test
