// How the tooltip paints a tip: composed off screen over what lay under the
// window, then shown in one step.
#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "markup/MarkupTooltip.h"
#include "markup/QtMarkupCanvas.h"
#include "markup/TipRegion.h"
#include "markup/core/TipBackground.h"

namespace velmora {

namespace {

// After a hide, the windows under the tip take a moment to repaint; a tip
// shown again within it takes what lay under its old place from before.
constexpr qint64 kRepaintGraceMs = 300;

QImage GrabScreen(const QRect& area) {
    QScreen* screen = QGuiApplication::screenAt(area.center());
    if (screen == nullptr) {
        return {};
    }
    const QPoint origin = area.topLeft() - screen->geometry().topLeft();
    const QPixmap shot = screen->grabWindow(0, origin.x(), origin.y(), area.width(), area.height());
    if (shot.isNull()) {
        return {};
    }
    QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image.size() == area.size() ? image : image.scaled(area.size());
}

}  // namespace

void MarkupTooltip::CaptureBackground(const QRect& geometry) {
    backgroundKnown_ = QRegion(QRect(QPoint(0, 0), geometry.size()));
    if (translucent_) {
        return;  // the compositor blends the shadow with what lies under it
    }
    QImage fresh = GrabScreen(geometry);
    if (fresh.isNull()) {
        // No picture of the screen: this program's own windows are drawn
        // anew, and the shadow falls only where one of them lies.
        fresh = QImage(geometry.size(), QImage::Format_RGB32);
        fresh.fill(Qt::black);
        backgroundKnown_ = QRegion();
        QPainter painter(&fresh);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            const QRect area(window->mapToGlobal(QPoint(0, 0)), window->size());
            if (window != this && window->isVisible() && area.intersects(geometry)) {
                window->render(&painter, area.topLeft() - geometry.topLeft());
                backgroundKnown_ |= area.translated(-geometry.topLeft());
            }
        }
    }
    const bool recent =
        isVisible() || (hiddenFor_.isValid() && hiddenFor_.elapsed() < kRepaintGraceMs);
    if (recent && !background_.isNull()) {
        // The screen may still show this tip where it just was.
        QPainter painter(&fresh);
        painter.setClipRegion(shownRegion_.translated(-geometry.topLeft()));
        painter.drawImage(backgroundRect_.topLeft() - geometry.topLeft(), background_);
    }
    background_ = fresh;
    backgroundRect_ = geometry;
}

void MarkupTooltip::paintEvent(QPaintEvent*) {
    // A tip is composed once when it is shown (or its text changes); any
    // other paint request shows that picture again.
    if (ValidTool(pendingTool_) || pendingTool_ == kHelpTip) {
        displayedTool_ = pendingTool_;
        pendingTool_ = -1;
        Compose();
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, composed_);
}

void MarkupTooltip::Compose() {
    const QSize area = size();
    if (translucent_) {
        composed_ = QImage(area, QImage::Format_ARGB32_Premultiplied);
        composed_.fill(Qt::transparent);
    } else if (background_.size() == area) {
        composed_ = background_.copy();
    } else {
        composed_ = QImage(area, QImage::Format_RGB32);
        composed_.fill(Qt::black);
    }
    QPainter painter(&composed_);
    PaintTip(painter, {0, 0, area.width() - 1, area.height() - 1});
}

void MarkupTooltip::PaintTip(QPainter& painter, MarkupRect rect) {
    const TipOptions& tip = current_.options;
    if ((tip.styles & StyleShadow) != 0) {
        PaintShadow(painter);
    }
    const TipLayout layout =
        LayOutTip(rect, placementDirection_, tip.styles, metrics_, iconSize_, textSize_);
    painter.setClipRegion(windowRegion_);
    PaintBackground(painter, layout.background);
    painter.setClipRegion(
        FrameOfRegion(windowRegion_, metrics_.borderWidth, metrics_.borderHeight));
    painter.fillRect(composed_.rect(), ToQColor(markup_.colours[SlotBorderColour]));
    painter.setClipRegion(windowRegion_);
    if (layout.hasIcon) {
        painter.drawPixmap(
            QRect(layout.iconAt.x, layout.iconAt.y, iconSize_.width, iconSize_.height),
            current_.icon);
    }
    QtMarkupCanvas canvas(font_, &painter, imageList_);
    RenderMarkup(canvas, markup_, lines_, layout.textArea, current_.text, false);
}

void MarkupTooltip::PaintShadow(QPainter& painter) {
    const QColor shadow = ToQColor(markup_.colours[SlotShadowColour]);
    painter.setClipRegion(shadowRegion_);
    if (translucent_) {
        painter.fillRect(composed_.rect(), QColor(0, 0, 0, 255 - qGray(shadow.rgb())));
        return;
    }
    // What lay under the window, AND the shadow colour: darker, never grey.
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.fillRect(composed_.rect(), shadow);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MarkupTooltip::PaintBackground(QPainter& painter, MarkupRect rect) {
    const int effect = static_cast<int>(current_.options.effect);
    if (IsTexturedEffect(effect)) {
        painter.drawImage(0, 0, effectImage_);
        return;
    }
    const MarkupColourTable& c = markup_.colours;
    for (const ColourFill& fill : BackgroundFills(effect, rect, c[SlotBackgroundBegin],
                                                  c[SlotBackgroundMid], c[SlotBackgroundEnd])) {
        painter.fillRect(
            QRect(fill.rect.left, fill.rect.top, fill.rect.Width(), fill.rect.Height()),
            ToQColor(fill.colour));
    }
}

}  // namespace velmora
