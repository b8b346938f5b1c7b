#pragma once

#include <string>

class QWidget;

namespace velmora {

class MarkupTooltip;

// The reminder as the main window shows it: a help tip of the window's
// tooltip, with icon 25, whose anchor points at the bottom-right corner of
// the primary screen's free area (above a panel there). It does not hide
// after the tooltip's delay: it stays until the schedule is disarmed or
// fires, or until the user closes it with a click (on the tip or in the
// window) or a key press in the window.
class ReminderTip {
public:
    static constexpr int kIconId = 25;

    ReminderTip(MarkupTooltip& tooltip, QWidget& window) : tooltip_(tooltip), window_(window) {}

    // Shows the tip, or changes its text in place; false, showing nothing,
    // when the user closed it since it was last shown.
    bool Show(const std::string& markup);
    void Hide();

private:
    MarkupTooltip& tooltip_;
    QWidget& window_;
    bool up_ = false;  // shown, and not hidden by this class since
};

}  // namespace velmora
