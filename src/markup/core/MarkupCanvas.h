#pragma once

#include <optional>
#include <string_view>

#include "markup/core/MarkupTypes.h"

namespace velmora {

// The font fields the markup tags change; everything else (family, size)
// is the tooltip's default font, which the canvas knows.
struct MarkupFont {
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const MarkupFont&) const = default;
};

struct MarkupTextMetrics {
    int height = 0;        // the font's full line height
    int averageWidth = 0;  // its average character width
};

// What the markup renderer draws on. Text is 8-bit markup text; positions
// are device pixels with y growing downward. A picture that does not load
// has the size (0, 0) and draws nothing.
class MarkupCanvas {
public:
    virtual ~MarkupCanvas() = default;

    virtual void SelectFont(const MarkupFont& font) = 0;
    virtual MarkupTextMetrics TextMetrics() = 0;  // of the selected font
    virtual MarkupSize MeasureText(std::string_view text) = 0;
    // Draws with its top-left corner at (x, y), filling the text's cell with
    // the background colour when the background is opaque.
    virtual void DrawText(int x, int y, std::string_view text) = 0;

    virtual void SetTextColour(ColourRef colour) = 0;
    virtual ColourRef TextColour() const = 0;
    virtual void SetBackColour(ColourRef colour) = 0;
    virtual void SetBackOpaque(bool opaque) = 0;

    // A 1-pixel line from (x, y) over `length` pixels to the right.
    virtual void DrawLine(int x, int y, int length, ColourRef colour) = 0;

    // Icon and bitmap resources by identifier; a requested dimension of 0
    // stands for the picture's own.
    virtual MarkupSize IconSize(int id, int cx, int cy) = 0;
    virtual void DrawIcon(int id, int x, int y, MarkupSize size) = 0;
    virtual MarkupSize BitmapSize(int id) = 0;
    // With a mask colour, the pixels of that colour stay transparent.
    virtual void DrawBitmap(int id, int x, int y, MarkupSize size,
                            std::optional<ColourRef> mask) = 0;

    // The tooltip's image list: all images share one size.
    virtual int ImageCount() = 0;
    virtual MarkupSize ImageSize() = 0;
    virtual void DrawImage(int index, int x, int y) = 0;
};

}  // namespace velmora
