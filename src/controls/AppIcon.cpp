#include "controls/AppIcon.h"

#include <QPainter>
#include <QPixmap>

#include "controls/Pictures.h"

namespace velmora {

namespace {

QPixmap DrawnClock(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2b, 0x6c, 0xb0));
    painter.drawRoundedRect(QRectF(0, 0, size, size), 3 * unit, 3 * unit);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(2.5 * unit, 2.5 * unit, 11 * unit, 11 * unit));
    painter.setPen(QPen(QColor(0x1a, 0x3a, 0x5c), 1.4 * unit, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(8 * unit, 8 * unit);
    painter.drawLine(centre, QPointF(8 * unit, 4.5 * unit));
    painter.drawLine(centre, QPointF(10.5 * unit, 9.5 * unit));
    return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
    const QPixmap picture = IconPicture(kApplicationIconId);
    if (!picture.isNull()) {
        return QIcon(picture);
    }
    QIcon icon;
    for (int size : {16, 22, 32, 48}) {
        icon.addPixmap(DrawnClock(size));
    }
    return icon;
}

}  // namespace velmora
