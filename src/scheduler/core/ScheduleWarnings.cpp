// What the schedule tells the user besides its labels: the reminder before a
// destructive action, and the reports of an action that could not run or
// whose moment passed unseen.
#include "platform/MessagePrompt.h"
#include "scheduler/core/ActionReports.h"
#include "scheduler/core/RemainingTime.h"
#include "scheduler/core/ReminderText.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/ScheduleTexts.h"

namespace velmora {

void ScheduleCore::UpdateReminder(const DateTime& target, const DateTime& now,
                                  std::int64_t second) {
    if (reminderSecond_ == second) {
        return;  // both timers tick in each second
    }
    reminderSecond_ = second;
    std::optional<std::string> lead;
    if (target.IsValid() && now.IsValid()) {
        const std::int64_t left = target.TotalSeconds() - now.TotalSeconds();
        if (left > 0 && left <= kReminderLeadSeconds) {
            const int action = action_.Value();
            const bool kills = action == static_cast<int>(ScheduledAction::KillProcesses);
            lead = ReminderLead(action, kills ? CountRunningListed() : 0);
        }
    }
    if (lead) {
        reminder_.Show(*lead, FormatRemainingTime(SplitRemainingTime(SpanInDays(target, now))));
    } else {
        reminder_.Hide();
    }
}

void ScheduleCore::ReportFailure(int action, const ActionResult& result) {
    if (result.outcome) {
        return;
    }
    const DateTime target = Target();
    s_.prompt.Notice(FailureReport(action, DateAndTimeText(target, target), result.outcome,
                                   result.fallbackFailed));
}

void ScheduleCore::ReportMissedTarget(const DateTime& target) {
    s_.prompt.Notice(MissedReport(ReadSettingInt(kKeyAction, 0), DateAndTimeText(target, target)));
}

}  // namespace velmora
