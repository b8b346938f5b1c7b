#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <vector>

#include "markup/core/MarkupCanvas.h"

class QPainter;

namespace velmora {

QColor ToQColor(ColourRef colour);
ColourRef FromQColor(const QColor& colour);

// A program picture by resource id from `folder` ("icons" or "bitmaps");
// a null pixmap when there is none.
QPixmap LoadTipPicture(const char* folder, int id);

// The markup canvas over a QPainter. Without a painter it only measures.
// Text starts black on a transparent background, as on a fresh device.
class QtMarkupCanvas : public MarkupCanvas {
public:
    QtMarkupCanvas(const QFont& baseFont, QPainter* painter, const std::vector<QPixmap>& imageList);

    void SelectFont(const MarkupFont& font) override;
    MarkupTextMetrics TextMetrics() override;
    MarkupSize MeasureText(std::string_view text) override;
    void DrawText(int x, int y, std::string_view text) override;
    void SetTextColour(ColourRef colour) override { text_ = colour; }
    ColourRef TextColour() const override { return text_; }
    void SetBackColour(ColourRef colour) override { back_ = colour; }
    void SetBackOpaque(bool opaque) override { opaque_ = opaque; }
    void DrawLine(int x, int y, int length, ColourRef colour) override;
    MarkupSize IconSize(int id, int cx, int cy) override;
    void DrawIcon(int id, int x, int y, MarkupSize size) override;
    MarkupSize BitmapSize(int id) override;
    void DrawBitmap(int id, int x, int y, MarkupSize size, std::optional<ColourRef> mask) override;
    int ImageCount() override { return static_cast<int>(images_.size()); }
    MarkupSize ImageSize() override;
    void DrawImage(int index, int x, int y) override;

private:
    const QFont base_;
    QFont font_;
    QPainter* painter_;
    const std::vector<QPixmap>& images_;
    ColourRef text_ = 0x000000;
    ColourRef back_ = 0xFFFFFF;
    bool opaque_ = false;
};

}  // namespace velmora
