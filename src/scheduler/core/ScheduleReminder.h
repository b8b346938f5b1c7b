#pragma once

#include <string>

namespace velmora {

class DesktopNotifier;
class ScheduleView;

// The warning before a destructive action: the window's reminder tip,
// refreshed whenever its text changes, and one desktop notification, sent
// again only when its lead sentence changes. A tip the user closed stays
// closed until the next arming; the notification is independent of it.
class ScheduleReminder {
public:
    ScheduleReminder(ScheduleView& view, DesktopNotifier* notifier)
        : view_(view), notifier_(notifier) {}
    // Closes a notification still shown, so no "Disable" outlives the window.
    ~ScheduleReminder();
    ScheduleReminder(const ScheduleReminder&) = delete;
    ScheduleReminder& operator=(const ScheduleReminder&) = delete;

    // Shows the reminder, or brings it up to date, with the lead sentence and
    // the remaining time.
    void Show(const std::string& lead, const std::string& remaining);
    // Hides the tip and closes the notification.
    void Hide();
    // A new arming: hidden, and a tip the user closed may show again.
    void Reset();

private:
    ScheduleView& view_;
    DesktopNotifier* notifier_;
    std::string markup_;  // the tip's markup while it shows; empty when hidden
    bool closedByUser_ = false;
    std::string notified_;  // the lead of the notification shown; empty when none
};

}  // namespace velmora
