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

void SkinBackground::PaintUnder(const QWidget* child, QPainter& painter, const QRect& rect) {
    const QWidget* parent = child->parentWidget();
    const auto* skin =
        parent ? parent->findChild<SkinBackground*>(QString(), Qt::FindDirectChildrenOnly)
               : nullptr;
    if (skin == nullptr || skin->picture_.isNull()) {
        return;
    }
    // The picture starts at the window's contents rectangle (below a menu
    // bar, as a client area does).
    const QPoint offset = child->pos() - parent->contentsRect().topLeft();
    const QRect source = rect.translated(offset) & skin->picture_.rect();
    painter.drawPixmap(source.translated(-offset), skin->picture_, source);
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
