#include "markup/QtMarkupCanvas.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>

namespace velmora {

namespace {

QString FromMarkup(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

MarkupSize Requested(const QPixmap& picture, int cx, int cy) {
    if (picture.isNull()) {
        return {};
    }
    return {cx != 0 ? cx : picture.width(), cy != 0 ? cy : picture.height()};
}

}  // namespace

QColor ToQColor(ColourRef colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

ColourRef FromQColor(const QColor& colour) {
    return MakeColour(colour.red(), colour.green(), colour.blue());
}

QPixmap LoadTipPicture(const char* folder, int id) {
    return QPixmap(QStringLiteral(":/%1/%2.png").arg(QLatin1String(folder)).arg(id));
}

QtMarkupCanvas::QtMarkupCanvas(const QFont& baseFont, QPainter* painter,
                               const std::vector<QPixmap>& imageList)
    : base_(baseFont), font_(baseFont), painter_(painter), images_(imageList) {}

void QtMarkupCanvas::SelectFont(const MarkupFont& font) {
    font_ = base_;
    font_.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    font_.setItalic(font.italic);
    font_.setUnderline(font.underline);
    font_.setStrikeOut(font.strikeOut);
    if (painter_ != nullptr) {
        painter_->setFont(font_);
    }
}

MarkupTextMetrics QtMarkupCanvas::TextMetrics() {
    const QFontMetrics metrics(font_);
    return {metrics.height(), metrics.averageCharWidth()};
}

MarkupSize QtMarkupCanvas::MeasureText(std::string_view text) {
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(FromMarkup(text)), metrics.height()};
}

void QtMarkupCanvas::DrawText(int x, int y, std::string_view text) {
    if (painter_ == nullptr) {
        return;
    }
    const QFontMetrics metrics(font_);
    const QString run = FromMarkup(text);
    if (opaque_) {
        painter_->fillRect(QRect(x, y, metrics.horizontalAdvance(run), metrics.height()),
                           ToQColor(back_));
    }
    painter_->setPen(ToQColor(text_));
    painter_->drawText(QPoint(x, y + metrics.ascent()), run);
}

void QtMarkupCanvas::DrawLine(int x, int y, int length, ColourRef colour) {
    if (painter_ != nullptr) {
        painter_->setPen(QPen(ToQColor(colour), 0));
        painter_->drawLine(x, y, x + length - 1, y);
    }
}

MarkupSize QtMarkupCanvas::IconSize(int id, int cx, int cy) {
    return Requested(LoadTipPicture("icons", id), cx, cy);
}

void QtMarkupCanvas::DrawIcon(int id, int x, int y, MarkupSize size) {
    if (painter_ != nullptr) {
        painter_->drawPixmap(QRect(x, y, size.width, size.height), LoadTipPicture("icons", id));
    }
}

MarkupSize QtMarkupCanvas::BitmapSize(int id) {
    return Requested(LoadTipPicture("bitmaps", id), 0, 0);
}

void QtMarkupCanvas::DrawBitmap(int id, int x, int y, MarkupSize size,
                                std::optional<ColourRef> mask) {
    if (painter_ == nullptr) {
        return;
    }
    QPixmap picture = LoadTipPicture("bitmaps", id).scaled(size.width, size.height);
    if (mask) {
        picture.setMask(picture.createMaskFromColor(ToQColor(*mask), Qt::MaskInColor));
    }
    painter_->drawPixmap(x, y, picture);
}

MarkupSize QtMarkupCanvas::ImageSize() {
    return images_.empty() ? MarkupSize{} : MarkupSize{images_[0].width(), images_[0].height()};
}

void QtMarkupCanvas::DrawImage(int index, int x, int y) {
    if (painter_ != nullptr && index >= 0 && index < ImageCount()) {
        const MarkupSize size = ImageSize();
        painter_->drawPixmap(QRect(x, y, size.width, size.height),
                             images_[static_cast<std::size_t>(index)]);
    }
}

}  // namespace velmora
