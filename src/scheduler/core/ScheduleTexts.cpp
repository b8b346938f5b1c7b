#include "scheduler/core/ScheduleTexts.h"

#include <cstdio>

namespace velmora {

std::string DateAndTimeText(const DateTime& date, const DateTime& time) {
    char clock[48];
    std::snprintf(clock, sizeof clock, " %02d:%02d:%02d", time.Hour(), time.Minute(),
                  time.Second());
    return FormatDateText(date, false) + clock;
}

}  // namespace velmora
