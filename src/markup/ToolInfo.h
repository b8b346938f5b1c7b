#pragma once

#include <QEvent>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <string>

#include "markup/core/TipOptions.h"

namespace velmora {

// One tool of the tooltip, and the description of the tip being shown.
struct ToolInfo {
    QPointer<QWidget> widget;  // the window the tool belongs to
    std::uint32_t reserved = 0;
    QRect rect;  // in the widget's coordinates; empty means the whole widget
    QPixmap icon;
    std::string text;  // markup
    TipOptions options;
};

// Sent to the notify window just before a tip is shown. The receiver may
// change the tip; its rectangle (here in the notify window's coordinates)
// is not taken back.
class TipNotifyEvent : public QEvent {
public:
    static constexpr int kBeforeShow = 1124;
    static QEvent::Type EventType() { return static_cast<QEvent::Type>(QEvent::User + 100); }

    TipNotifyEvent(QWidget* tooltip, QPoint* cursor, ToolInfo* tip)
        : QEvent(EventType()), tooltip_(tooltip), cursor_(cursor), tip_(tip) {}

    QWidget* Tooltip() const { return tooltip_; }
    int Code() const { return kBeforeShow; }
    QPoint* Cursor() const { return cursor_; }  // screen coordinates
    ToolInfo* Tip() const { return tip_; }

private:
    QWidget* tooltip_;
    QPoint* cursor_;
    ToolInfo* tip_;
};

}  // namespace velmora
