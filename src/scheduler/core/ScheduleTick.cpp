#include "platform/MessagePrompt.h"
#include "platform/SessionControl.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/FireTest.h"
#include "scheduler/core/RemainingTime.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/ScheduleTexts.h"
#include "scheduler/core/ScheduleView.h"
#include "scheduler/core/SettingsKeys.h"

namespace velmora {

void ScheduleCore::OnTick(int timerId) {
    TickClockAndCountdown(timerId);
    UpdateProcessStatistics();
}

void ScheduleCore::TickClockAndCountdown(int /*timerId*/) {
    TickMoment moment;
    const DateTime now = ReadNow(&moment);
    s_.view.SetText(IDC_CURRENT_TIME, DateAndTimeText(now, now));

    if (IsArmed() && !fired_) {
        const DateTime target = Target();
        const DateTime now2 = ReadNow();
        // The bar shows the difference of the two minute-of-hour fields; the
        // control clamps it into the range set at arming.
        s_.view.SetProgressPos(s_.view.PickedTime().Minute() - now2.Minute());
        const double span = SpanInDays(target, now2);
        s_.view.SetText(IDC_REMAINING, FormatRemainingTime(SplitRemainingTime(span)));
        const std::optional<TickMoment> previous = previousTick_;
        previousTick_ = moment;
        if (TickReachesTarget(target, now, previous, moment)) {
            PerformAction();
        } else {
            if (TickSkipsTarget(target, previous, moment)) {
                ReportMissedTarget(target);
            }
            UpdateReminder(target, now2, moment.epochSecond);
            PrepareAlarmBefore(span);
        }
    } else {
        previousTick_ = moment;
    }
}

void ScheduleCore::PerformAction() {
    if (fired_) {
        return;
    }
    fired_ = true;
    reminder_.Hide();
    // A scheduled request that cannot be carried out is reported, never
    // silently dropped.
    const int action = ReadSettingInt(kKeyAction, 0);
    switch (action) {
        case static_cast<int>(ScheduledAction::Alarm):
            PlayAlarm();
            break;
        case static_cast<int>(ScheduledAction::Shutdown):
            ReportFailure(action, ExitSession(EWX_SHUTDOWN, false));
            break;
        case static_cast<int>(ScheduledAction::Logoff):
            ReportFailure(action, ExitSession(EWX_LOGOFF, false));
            break;
        case static_cast<int>(ScheduledAction::Restart):
            ReportFailure(action, ExitSession(EWX_REBOOT, false));
            break;
        case static_cast<int>(ScheduledAction::StandBy):
            ReportFailure(action, {s_.session.SetSystemPowerState(true, true, false)});
            break;
        case static_cast<int>(ScheduledAction::Hibernate):
            ReportFailure(action, {s_.session.SetSystemPowerState(false, false, false)});
            break;
        case static_cast<int>(ScheduledAction::KillProcesses):
            KillSelectedProcesses();
            break;
        default:
            s_.prompt.Stop("Check your action options");
            break;
    }
}

}  // namespace velmora
