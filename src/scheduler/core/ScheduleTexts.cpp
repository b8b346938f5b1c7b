#include "scheduler/core/ScheduleTexts.h"

namespace velmora {

std::string DateAndTimeText(const DateTime& date, const DateTime& time) {
    std::string text = FormatDateText(date, false);
    AppendClock(text, time);
    return text;
}

}  // namespace velmora
