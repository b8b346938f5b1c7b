#include "scheduler/core/ScheduleReminder.h"

#include "platform/DesktopNotifier.h"
#include "scheduler/core/ReminderText.h"
#include "scheduler/core/ScheduleView.h"

namespace velmora {

ScheduleReminder::~ScheduleReminder() {
    if (notifier_ != nullptr && !notified_.empty()) {
        notifier_->Close();
    }
}

void ScheduleReminder::Show(const std::string& lead, const std::string& remaining) {
    const std::string markup = ReminderMarkup(lead, remaining);
    if (!closedByUser_ && markup != markup_) {
        if (view_.ShowReminder(markup)) {
            markup_ = markup;
        } else {
            closedByUser_ = true;
            markup_.clear();
        }
    }
    if (notifier_ != nullptr && lead != notified_) {
        notifier_->Show(kReminderTitle, ReminderBody(lead, remaining));
        notified_ = lead;
    }
}

void ScheduleReminder::Hide() {
    if (!markup_.empty()) {
        view_.HideReminder();
        markup_.clear();
    }
    if (notifier_ != nullptr && !notified_.empty()) {
        notifier_->Close();
        notified_.clear();
    }
}

void ScheduleReminder::Reset() {
    Hide();
    closedByUser_ = false;
}

}  // namespace velmora
