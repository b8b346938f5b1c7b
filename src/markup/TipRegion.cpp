#include "markup/TipRegion.h"

#include <QPainterPath>
#include <QPolygon>

namespace velmora {

QRegion TipWindowRegion(const TipShape& shape) {
    const MarkupRect& b = shape.body;
    const QRect body(QPoint(b.left, b.top), QPoint(b.right, b.bottom));  // edges included
    QRegion region(body);
    if (shape.rounded && body.isValid()) {
        QPainterPath path;
        path.addRoundedRect(QRectF(body.x(), body.y(), body.width(), body.height()),
                            shape.cornerWidth / 2.0, shape.cornerHeight / 2.0);
        region = QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
    }
    if (shape.hasAnchor) {
        QPolygon triangle;
        for (const MarkupPoint& p : shape.anchor) {
            triangle << QPoint(p.x, p.y);
        }
        region |= QRegion(triangle, Qt::OddEvenFill);
    }
    return region;
}

QRegion FrameOfRegion(const QRegion& region, int width, int height) {
    const QRegion inner = region & region.translated(width, 0) & region.translated(-width, 0) &
                          region.translated(0, height) & region.translated(0, -height);
    return region - inner;
}

}  // namespace velmora
