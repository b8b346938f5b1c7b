#include "scheduler/core/ScheduleCore.h"

#include <chrono>
#include <utility>

#include "platform/Clock.h"
#include "platform/DesktopNotifier.h"
#include "platform/MessagePrompt.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/RemainingTime.h"
#include "scheduler/core/ScheduleTexts.h"
#include "scheduler/core/ScheduleView.h"
#include "scheduler/core/SettingsKeys.h"
#include "storage/IniFile.h"

namespace velmora {

ScheduleCore::ScheduleCore(ScheduleServices services, SchedulePaths paths)
    : s_(services), paths_(std::move(paths)) {
    if (s_.notifier != nullptr) {
        // The notification's "Disable" is the Disable button.
        s_.notifier->SetOnDisable([this] {
            if (IsArmed()) {
                HandleCommand(IDC_DISABLE);
            }
        });
    }
}

ScheduleCore::~ScheduleCore() {
    if (s_.notifier != nullptr) {
        s_.notifier->SetOnDisable({});
    }
}

DateTime ScheduleCore::ReadNow(TickMoment* moment) const {
    const std::int64_t second = std::chrono::floor<std::chrono::seconds>(
                                    std::chrono::milliseconds(s_.clock.NowMilliseconds()))
                                    .count();
    const DateTime now = DateTime::FromEpochSeconds(second);
    if (moment != nullptr) {
        moment->epochSecond = second;
        moment->localSecond = now.IsValid() ? now.TotalSeconds() : 0;
    }
    return now;
}

DateTime ScheduleCore::Target() const {
    const DateTime date = s_.view.PickedDate();
    const DateTime time = s_.view.PickedTime();
    return DateTime::FromFields(date.Year(), date.Month(), date.Day(), time.Hour(), time.Minute(),
                                time.Second());
}

int ScheduleCore::ReadSettingInt(std::string_view key, int def) const {
    IniFile ini(paths_.settingsFile);
    ini.Load();
    return ini.GetInt(kGeneralSettings, key, def);
}

bool ScheduleCore::IsArmed() const {
    return !s_.view.IsEnabled(IDC_ENABLE);
}

std::optional<std::string> ScheduleCore::StatusText(int action) {
    switch (action) {
        case 0:
            return "Waiting to alarm...";
        case 1:
            return "Waiting to shutdown...";
        case 2:
            return "Waiting to logoff...";
        case 3:
            return "Waiting to restart...";
        case 4:
            return "Waiting to stand by...";
        case 5:
            return "Waiting to hibernate...";
        case 6:
            return "Waiting to kill processes...";
        default:
            return std::nullopt;
    }
}

void ScheduleCore::SaveSchedule(bool isEnabled) {
    IniFile ini(paths_.settingsFile);
    ini.Load();
    const DateTime date = s_.view.PickedDate();
    const DateTime time = s_.view.PickedTime();
    const bool dateOk = date.IsValid();
    const bool timeOk = time.IsValid();
    // A picker value that is no calendar time is stored as date 0-0-0 or
    // time -1:-1:-1; restoring then leaves the pickers as they are.
    ini.SetInt(kGeneralSettings, kKeyIsEnabled, isEnabled ? 1 : 0);
    ini.SetInt(kGeneralSettings, kKeyYear, dateOk ? date.Year() : 0);
    ini.SetInt(kGeneralSettings, kKeyMonth, dateOk ? date.Month() : 0);
    ini.SetInt(kGeneralSettings, kKeyDay, dateOk ? date.Day() : 0);
    ini.SetInt(kGeneralSettings, kKeyHour, timeOk ? time.Hour() : -1);
    ini.SetInt(kGeneralSettings, kKeyMin, timeOk ? time.Minute() : -1);
    ini.SetInt(kGeneralSettings, kKeySec, timeOk ? time.Second() : -1);
    ini.Save();
}

void ScheduleCore::EnableSchedule(bool storeAction, ScheduledAction action) {
    SaveSchedule(true);
    if (storeAction) {
        IniFile ini(paths_.settingsFile);
        ini.Load();
        ini.SetInt(kGeneralSettings, kKeyAction, static_cast<int>(action));
        ini.Save();
    }
    s_.view.StartTimer(kCountdownTimer);

    const DateTime date = s_.view.PickedDate();
    const DateTime time = s_.view.PickedTime();
    TickMoment armedAt;
    const DateTime now = ReadNow(&armedAt);
    const DateTime target = Target();
    // Arming is a new schedule: it may fire again, and only seconds after
    // this moment are caught up when ticks come late.
    fired_ = false;
    previousTick_ = armedAt;

    // The bar counts the minutes field of the remaining time only.
    const RemainingTime remaining = SplitRemainingTime(SpanInDays(target, now));
    s_.view.SetProgressRange(0, static_cast<int>(remaining.minutes));
    s_.view.SetText(IDC_ACTION_TIME, DateAndTimeText(date, time));
    s_.view.SetText(IDC_ACTION_STATE, "Enabled");

    ShowActionStatus();
    s_.view.SetEnabled(IDC_DISABLE, true);
    s_.view.SetEnabled(IDC_ENABLE, false);

    // A new arming gets its own reminder, at once when less than its lead
    // remains.
    reminder_.Reset();
    reminderSecond_.reset();
    UpdateReminder(target, now, armedAt.epochSecond);
}

void ScheduleCore::ShowActionStatus() {
    if (const auto status = StatusText(ReadSettingInt(kKeyAction, 0))) {
        s_.view.SetText(IDC_STATUS, *status);
    } else {
        s_.prompt.Stop("Check your action options");
    }
}

void ScheduleCore::DisableSchedule() {
    SaveSchedule(false);
    s_.view.StopTimer(kCountdownTimer);
    fired_ = false;
    StopAlarm();
    reminder_.Reset();
    s_.view.SetText(IDC_ACTION_STATE, "Disabled");
    s_.view.SetText(IDC_STATUS, "Waiting for command...");
    s_.view.SetText(IDC_ACTION_TIME, "Waiting time...");
    s_.view.SetText(IDC_REMAINING, "00:00:00:00");
    s_.view.SetProgressPos(0);
    s_.view.SetEnabled(IDC_DISABLE, false);
    s_.view.SetEnabled(IDC_ENABLE, true);
}

void ScheduleCore::LoadSchedule() {
    IniFile ini(paths_.settingsFile);
    ini.Load();
    if (ini.GetInt(kGeneralSettings, kKeyIsEnabled, 0) == 0) {
        return;
    }
    const int day = ini.GetInt(kGeneralSettings, kKeyDay, 0);
    const int month = ini.GetInt(kGeneralSettings, kKeyMonth, 0);
    const int year = ini.GetInt(kGeneralSettings, kKeyYear, 0);
    const DateTime date = DateTime::FromFields(year, month, day, 0, 0, 0);
    const int second = ini.GetInt(kGeneralSettings, kKeySec, 0);
    const int minute = ini.GetInt(kGeneralSettings, kKeyMin, 0);
    const int hour = ini.GetInt(kGeneralSettings, kKeyHour, 0);
    const DateTime time =
        DateTime::FromFields(date.Year(), date.Month(), date.Day(), hour, minute, second);
    if (date.IsValid()) {
        s_.view.SetPickedDate(date);
    }
    if (time.IsValid()) {
        s_.view.SetPickedTime(time);
    }
    EnableSchedule(false, ScheduledAction::Alarm);
}

}  // namespace velmora
