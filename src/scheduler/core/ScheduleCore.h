#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/DateTime.h"
#include "platform/SessionControl.h"
#include "scheduler/core/CachedSetting.h"
#include "scheduler/core/FireTest.h"
#include "scheduler/core/ProcessListFile.h"
#include "scheduler/core/ScheduleReminder.h"
#include "scheduler/core/SettingsKeys.h"

namespace velmora {

class AlarmPlayer;
class Clock;
class DesktopNotifier;
class MessagePrompt;
class ProcessTable;
class ScheduleView;

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
    // The desktop's notifications for the reminder; none sends none.
    DesktopNotifier* notifier = nullptr;
};

// The main window's schedule: arming, disarming and restoring it, the
// once-a-second tick with the countdown and the one-shot firing, and the
// actions it dispatches to, with the reminder before a destructive action and
// a report of an action that could not run. It holds no settings of its own:
// every value is read from and written to the settings files when it is
// needed.
class ScheduleCore {
public:
    ScheduleCore(ScheduleServices services, SchedulePaths paths);
    ~ScheduleCore();
    ScheduleCore(const ScheduleCore&) = delete;
    ScheduleCore& operator=(const ScheduleCore&) = delete;

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
    // What became of an exit request, and whether the power-off fallback was
    // tried and failed too.
    struct ActionResult {
        SessionOutcome outcome;
        bool fallbackFailed = false;
    };
    ActionResult ExitSession(int flag, bool interactive);
    // Shows, without waiting, why a scheduled action could not run.
    void ReportFailure(int action, const ActionResult& result);
    // Shows that the target passed while no tick could catch it. Only the
    // tick right after the gap sees the target in its reach, so this runs
    // once for each gap across it.
    void ReportMissedTarget(const DateTime& target);
    // Shows, refreshes or hides the reminder for the tick of `second`.
    void UpdateReminder(const DateTime& target, const DateTime& now, std::int64_t second);
    // The running processes whose name is on the list.
    int CountRunningListed() const;

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
    // The stored action as the reminder reads it each second.
    CachedSetting action_{paths_.settingsFile, kKeyAction, 0};
    ScheduleReminder reminder_{s_.view, s_.notifier};
    // The second the reminder was last brought up to date in.
    std::optional<std::int64_t> reminderSecond_;
};

}  // namespace velmora
