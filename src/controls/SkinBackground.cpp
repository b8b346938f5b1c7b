#include "controls/SkinBackground.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "controls/Pictures.h"

namespace velmora {

SkinBackground::SkinBackground(QWidget* window, QPixmap picture)
    : QObject(window), picture_(std::move(picture)) {
    setObjectName(QStringLiteral("skinBackground"));
    window->installEventFilter(this);
}

SkinBackground* SkinBackground::Attach(QWidget* window, int bitmapId) {
    return new SkinBackground(window, SkinPicture(bitmapId));
}

SkinBackground* SkinBackground::Of(const QWidget* window) {
    return window ? window->findChild<SkinBackground*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void SkinBackground::PaintUnder(const QWidget* child, QPainter& painter, const QRect& rect) {
    if (const SkinBackground* skin = Of(child->parentWidget())) {
        skin->PaintUnderChild(child, painter, rect);
    }
}

void SkinBackground::PaintUnderChild(const QWidget* child, QPainter& painter,
                                     const QRect& rect) const {
    if (picture_.isNull()) {
        return;
    }
    // The picture starts at the window's contents rectangle (below a menu
    // bar, as a client area does).
    const QPoint offset = child->pos() - child->parentWidget()->contentsRect().topLeft();
    const QRect source = rect.translated(offset) & picture_.rect();
    painter.drawPixmap(source.translated(-offset), picture_, source);
}

SkinBackground* SkinBackground::AloneUnder(const QWidget* child) {
    const QWidget* parent = child->parentWidget();
    SkinBackground* skin = Of(parent);
    if (child->isWindow() || parent == nullptr || !parent->isWindow() || skin == nullptr ||
        skin->picture_.isNull() || skin->picture_.hasAlphaChannel()) {
        return nullptr;
    }
    const QRect place = child->geometry();
    if (!QRect(parent->contentsRect().topLeft(), skin->picture_.size()).contains(place)) {
        return nullptr;
    }
    // The window's children are stacked in the order of its list, the first
    // lowest.
    for (const QObject* sibling : parent->children()) {
        if (sibling == child) {
            return skin;
        }
        const auto* widget = qobject_cast<const QWidget*>(sibling);
        if (widget && !widget->isWindow() && widget->isVisible() &&
            widget->geometry().intersects(place)) {
            return nullptr;
        }
    }
    return nullptr;
}

bool SkinBackground::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !picture_.isNull()) {
        // The window's own painting (none for a dialog) follows on top.
        auto* window = static_cast<QWidget*>(watched);
        QPainter painter(window);
        painter.drawPixmap(window->contentsRect().topLeft(), picture_);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmora
