#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "FakeAlarm.h"
#include "FakeClock.h"
#include "FakeProcessTable.h"
#include "FakePrompt.h"
#include "FakeSession.h"
#include "FakeView.h"
#include "TempDir.h"
#include "scheduler/core/ScheduleCore.h"

namespace velmora::test {

// A schedule over fakes, with its settings files in a fresh temporary
// directory. `events` is one journal shared by the view, the prompt, the
// session and the alarm, to check the order of calls across them.
struct FakeScheduleEnv {
    FakeScheduleEnv() {
        view.journal.shared = &events;
        prompt.journal.shared = &events;
        session.journal.shared = &events;
        alarm.journal.shared = &events;
    }

    std::string SettingsFile() const { return dir.File("Velmora.ini"); }
    std::string ProcessListFile() const { return dir.File("Process.ini"); }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    TempDir dir;
    FakeView view;
    FakeClock clock;
    FakePrompt prompt;
    FakeSession session;
    FakeProcessTable processes;
    FakeAlarm alarm;
    std::vector<std::string> events;
    ScheduleCore core{ScheduleServices{view, clock, prompt, session, processes, alarm},
                      SchedulePaths{dir.File("Velmora.ini"), dir.File("Process.ini")}};
};

}  // namespace velmora::test
