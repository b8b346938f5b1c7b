// How the tooltip follows the events its owner relays: clicks and keys hide
// the tip, mouse moves find the tool under the cursor and show its tip.
#include <QApplication>
#include <QMouseEvent>

#include "markup/MarkupTooltip.h"

namespace velmora {

void MarkupTooltip::RelayEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::KeyPress:
            Pop();
            return;
        case QEvent::MouseMove:
            OnMouseMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return;
        default:
            return;
    }
}

void MarkupTooltip::OnMouseMove(QPoint point) {
    if (point == lastCursor_ || pendingTool_ == kHelpTip || displayedTool_ == kHelpTip ||
        ((defaults_.styles & StyleShowInactive) == 0 && QApplication::activeWindow() == nullptr)) {
        return;
    }
    lastCursor_ = point;
    const int tool = FindTool(point);
    const std::uint32_t behaviour = current_.options.behaviour;
    if (tool < 0) {
        if (!(OverTip(point) && (behaviour & BehaviourSticky) != 0)) {
            Pop();
            pendingTool_ = displayedTool_ = -1;
        }
    } else if (tool == displayedTool_) {
        if (isVisible() && (behaviour & BehaviourSticky) != 0) {
            return;
        }
        if ((behaviour & BehaviourReshow) != 0) {
            ShowTool(tool, true);
        } else {
            Pop();
        }
    } else {
        ShowTool(tool, !isVisible());
    }
}

void MarkupTooltip::ShowTool(int index, bool delayed) {
    displayedTool_ = -1;
    showTimer_.stop();
    hideTimer_.stop();
    Pop();
    current_ = tools_[static_cast<std::size_t>(index)];
    pendingTool_ = index;
    if (delayed) {
        showTimer_.start(initialDelay_);
    } else {
        ShowStep();
    }
}

int MarkupTooltip::FindTool(QPoint point) const {
    QWidget* candidate = QApplication::widgetAt(point);
    // Disabled controls are seen through, unless the defaults ask for them.
    while (candidate != nullptr && candidate != parent_ && !candidate->isEnabled() &&
           (defaults_.styles & StyleDisabledControls) == 0) {
        candidate = candidate->parentWidget();
    }
    for (std::size_t i = 0; i < tools_.size(); ++i) {
        const ToolInfo& tool = tools_[i];
        if (candidate != nullptr && tool.widget == candidate &&
            (tool.rect.isEmpty() || tool.rect.contains(candidate->mapFromGlobal(point)))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool MarkupTooltip::OverTip(QPoint point) const {
    return QApplication::widgetAt(point) == this;
}

}  // namespace velmora
