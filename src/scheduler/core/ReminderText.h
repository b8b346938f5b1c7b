#pragma once

#include <optional>
#include <string>

namespace velmora {

// How long before a destructive action its reminder shows.
inline constexpr int kReminderLeadSeconds = 60;

// The reminder's title, also the notification's.
inline constexpr const char* kReminderTitle = "Velmora Reminder";

// The sentence before the remaining time, e.g. "Your computer will Shut Down
// in", or nothing for an action that gets no reminder (the alarm, or a value
// that is no action). `running` counts the listed programs running now; only
// ending the listed programs uses it.
std::optional<std::string> ReminderLead(int action, int running);

// The reminder tip's markup: the title, a rule, the lead and the remaining
// time ("00:00:00:42").
std::string ReminderMarkup(const std::string& lead, const std::string& remaining);

// The same message as plain text, for the notification's body.
std::string ReminderBody(const std::string& lead, const std::string& remaining);

}  // namespace velmora
