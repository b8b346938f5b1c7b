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
}

void ScheduleCore::StopAlarm() {
    s_.alarm.Stop();
    if (s_.alarm.IsOpen()) {
        s_.alarm.Close();
    }
}

}  // namespace velmora
