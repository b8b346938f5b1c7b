#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FakeAlarm.h"
#include "FakeClock.h"
#include "FakeProcessTable.h"
#include "FakePrompt.h"
#include "FakeSession.h"
#include "FakeView.h"
#include "TempDir.h"
#include "scheduler/core/ScheduleCore.h"
#include "storage/IniFile.h"

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

    // A value of "General Settings" in the settings file.
    int Setting(std::string_view key, int def = -999) const {
        IniFile ini(SettingsFile());
        ini.Load();
        return ini.GetInt("General Settings", key, def);
    }
    // "IsEnabled Year-Month-Day Hour:Min:Sec" as stored, e.g. "1 2024-5-14 10:30:0".
    std::string StoredSchedule() const {
        auto v = [this](std::string_view key) { return std::to_string(Setting(key)); };
        return v("IsEnabled") + " " + v("Year") + "-" + v("Month") + "-" + v("Day") + " " +
               v("Hour") + ":" + v("Min") + ":" + v("Sec");
    }
    void SetSetting(std::string_view key, std::string_view value) const {
        IniFile ini(SettingsFile());
        ini.Load();
        ini.SetString("General Settings", key, value, true);
        ini.Save();
    }
    // Writes the process list file with the names as File0, File1, ...
    void SetProcessList(const std::vector<std::string>& names) const {
        std::string text = "[Processes]\n";
        for (std::size_t i = 0; i < names.size(); ++i) {
            text += "File" + std::to_string(i) + "=" + names[i] + "\n";
        }
        Write(ProcessListFile(), text);
    }
    // Sets the clock to a local time and lets one timer tick.
    void TickAt(int year, int month, int day, int hour, int minute, int second, int timerId = 2) {
        clock.SetLocal(year, month, day, hour, minute, second);
        core.OnTick(timerId);
    }

    static void Write(const std::string& path, const std::string& text) { WriteFile(path, text); }
    static std::string Read(const std::string& path) { return ReadFile(path); }

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
