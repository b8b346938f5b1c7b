#include "scheduler/core/ReminderText.h"

namespace velmora {

std::optional<std::string> ReminderLead(int action, int running) {
    switch (action) {
        case 1:
            return "Your computer will Shut Down in";
        case 2:
            return "Your computer will Log You Off in";
        case 3:
            return "Your computer will Restart in";
        case 4:
            return "Your computer will Stand By in";
        case 5:
            return "Your computer will Hibernate in";
        case 6:
            if (running <= 0) {
                return "Velmora will end the listed programs (none is running now) in";
            }
            return "Velmora will end " + std::to_string(running) +
                   (running == 1 ? " program in" : " programs in");
        default:
            return std::nullopt;
    }
}

std::string ReminderMarkup(const std::string& lead, const std::string& remaining) {
    return std::string("<b><ct=0x0000FF><al_c>") + kReminderTitle +
           "</b><br><ct=0x00AA00><hr=100%></ct><br><br>" + lead + " <br>" + remaining +
           "<br><br><br>";
}

std::string ReminderBody(const std::string& lead, const std::string& remaining) {
    return lead + " " + remaining;
}

}  // namespace velmora
