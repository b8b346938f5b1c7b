#pragma once

#include <string>

#include "app/core/DateTime.h"

namespace velmora {

// The date text of `date` without time followed by the time of day of
// `time`: "%s %02d:%02d:%02d", e.g. "Sunday 05 March 2006 14:07:09".
std::string DateAndTimeText(const DateTime& date, const DateTime& time);

}  // namespace velmora
