#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/DateTime.h"
#include "scheduler/core/FireTest.h"
#include "scheduler/core/ProcessListFile.h"

namespace velmora {

class AlarmPlayer;
class Clock;
class MessagePrompt;
class ProcessTable;
class ScheduleView;
class SessionControl;

// The actions a schedule can perform, stored as the integer "Action".
enum class ScheduledAction : int {
    Alarm = 0,
    Shutdown = 1,
    Logoff = 2,
    Restart = 3,
    StandBy = 4,
    Hibernate = 5,
    KillProcesses = 6,
};

// The exit flags of ExitWindowsWithPrivilege.
enum ExitFlag : int { EWX_LOGOFF = 0, EWX_SHUTDOWN = 1, EWX_REBOOT = 2 };

// Where the schedule keeps its settings.
struct SchedulePaths {
    std::string settingsFile;     // Velmora.ini
    std::string processListFile;  // Process.ini
};

// Everything the schedule needs from outside.
struct ScheduleServices {
    ScheduleView& view;
    const Clock& clock;
    MessagePrompt& prompt;
    SessionControl& session;
    ProcessTable& processes;
    AlarmPlayer& alarm;
};

// The main window's schedule: arming, disarming and restoring it, the
// once-a-second tick with the countdown and the one-shot firing, and the
// actions it dispatches to. It holds no settings of its own: every value is
// read from and written to the settings files when it is needed.
class ScheduleCore {
public:
    ScheduleCore(ScheduleServices services, SchedulePaths paths);

    // Arming, disarming, restoring.
    void SaveSchedule(bool isEnabled);
    void EnableSchedule(bool storeAction, ScheduledAction action);
    void DisableSchedule();
    void LoadSchedule();
    bool IsArmed() const;
    // Reads an integer of the settings file's "General Settings".
    int ReadSettingInt(std::string_view key, int def) const;
    // Shows the stored action's status text, or the "Check your action
    // options" message for a value that is not an action.
    void ShowActionStatus();
    bool HasFired() const { return fired_; }

    // The tick of both timers, and the one-shot dispatcher it calls. A tick
    // is the clock, the countdown and the fire test, then the statistics;
    // when several timers tick in one wake-up, each runs the first part and
    // the statistics are refreshed once after them.
    void OnTick(int timerId);
    void TickClockAndCountdown(int timerId);
    void PerformAction();

    // System actions.
    int ExitWindowsWithPrivilege(int flag, bool interactive = false);
    bool EnableShutdownPrivilege(int flag, bool interactive = false);
    void TestShutdown();
    void TestLogoff();
    void TestRestart();

    // The process list and its termination.
    std::vector<std::string> ReadProcessList() const;
    int CountSelectedProcesses() const;
    void KillSelectedProcesses();
    void UpdateProcessStatistics();

    // The alarm. Its player is readied this many seconds before the target.
    static constexpr int kAlarmLeadSeconds = 10;
    void PlayAlarm();
    void StopAlarm();

    // The commands of the "Action" drop menu and the Enable/Disable buttons;
    // false when the id is not one of them.
    bool HandleCommand(int commandId);

    // The status text of an action while armed, or nothing for a value that
    // is not an action.
    static std::optional<std::string> StatusText(int action);

private:
    // The clock's current second as a local calendar time, and that second's
    // moment for the fire test.
    DateTime ReadNow(TickMoment* moment = nullptr) const;
    // The target: the picked date's day with the picked time's time of day.
    DateTime Target() const;
    // Readies the alarm's player when the stored action is the alarm and
    // the target is at most kAlarmLeadSeconds ahead.
    void PrepareAlarmBefore(double spanDays);

    ScheduleServices s_;
    SchedulePaths paths_;
    bool fired_ = false;
    // The alarm's player was readied and not yet played or released.
    bool alarmPrepared_ = false;
    // The previous tick (or the arming), used to catch a target second that
    // fell between two late ticks.
    std::optional<TickMoment> previousTick_;
    // The process list, read from its file only when the file changed.
    mutable ProcessListReader processList_{paths_.processListFile};
};

}  // namespace velmora
