#include "scheduler/ReminderTip.h"

#include <QGuiApplication>
#include <QScreen>

#include "markup/MarkupTooltip.h"

namespace velmora {

bool ReminderTip::Show(const std::string& markup) {
    if (up_ && !tooltip_.isVisible()) {
        up_ = false;  // a click or a key closed it
        return false;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return true;
    }
    // The corner just outside the free area, as a rectangle's right and
    // bottom edges give it, in the window's coordinates as the tooltip
    // takes them.
    const QRect area = screen->availableGeometry();
    const QPoint corner(area.x() + area.width(), area.y() + area.height());
    tooltip_.ShowHelpTooltip(window_.mapFromGlobal(corner), kIconId, markup, BehaviourNoAutoPop);
    up_ = tooltip_.isVisible();
    return true;
}

void ReminderTip::Hide() {
    if (up_) {
        tooltip_.Pop();
        up_ = false;
    }
}

}  // namespace velmora
