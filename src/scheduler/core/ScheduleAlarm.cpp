#include "platform/AlarmPlayer.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/ScheduleView.h"
#include "scheduler/core/SettingsKeys.h"
#include "storage/IniFile.h"

namespace velmora {

void ScheduleCore::PlayAlarm() {
    // The countdown stops; the clock timer keeps the time and statistics going.
    s_.view.StopTimer(kCountdownTimer);
    IniFile ini(paths_.settingsFile);
    ini.Load();
    // A schedule re-armed after an alarm fires again without a Disable in
    // between: the previous sound is stopped and closed, not left behind.
    if (s_.alarm.IsOpen()) {
        StopAlarm();
    }
    // Read at firing time, so a sound changed while armed is the one played.
    s_.alarm.Play(ini.GetString(kGeneralSettings, kKeyAlarmSound, ""));
    alarmPrepared_ = false;
}

void ScheduleCore::StopAlarm() {
    s_.alarm.Stop();
    if (s_.alarm.IsOpen() || alarmPrepared_) {
        s_.alarm.Close();
    }
    alarmPrepared_ = false;
}

void ScheduleCore::PrepareAlarmBefore(double spanDays) {
    // The player is readied in the last seconds before the target rather
    // than when the schedule is armed: it brings up the media backend with
    // its threads and plug-ins, which a schedule waiting for hours need not
    // keep. Readied, it starts the sound at once when the target comes.
    const double seconds = spanDays * 86400.0;
    if (seconds < 0 || seconds > kAlarmLeadSeconds) {
        return;
    }
    IniFile ini(paths_.settingsFile);
    ini.Load();
    if (ini.GetInt(kGeneralSettings, kKeyAction, 0) == static_cast<int>(ScheduledAction::Alarm)) {
        s_.alarm.Prepare(ini.GetString(kGeneralSettings, kKeyAlarmSound, ""));
        alarmPrepared_ = true;
    }
}

}  // namespace velmora
