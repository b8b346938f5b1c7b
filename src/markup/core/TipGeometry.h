#pragma once

#include <array>
#include <cstdint>

#include "markup/core/MarkupTypes.h"

namespace velmora {

struct TipMetrics {
    int cornerWidth = 0;  // size of the ellipse that rounds the corners
    int cornerHeight = 0;
    int marginX = 0;
    int marginY = 0;
    int shadowX = 0;
    int shadowY = 0;
    int anchorWidth = 0;
    int anchorHeight = 0;
    int anchorMargin = 0;  // from the body's corner to the anchor's base
    int borderWidth = 1;
    int borderHeight = 1;
};

TipMetrics BalloonMetrics();
TipMetrics RectangleMetrics();

// The size of a tip holding text and icon, anchor strip and shadow
// included; the window is 2 pixels wider and taller.
MarkupSize TipWindowSize(MarkupSize text, MarkupSize icon, std::uint32_t styles,
                         const TipMetrics& m);

struct TipPlacement {
    MarkupRect rect;
    int direction = 0;  // after the flips at the screen's edges
};

// Places a tip of `size` at the anchor point (screen coordinates), flipping
// the direction at most once each way when it does not fit on `screen`.
TipPlacement PlaceTip(MarkupPoint anchor, MarkupSize size, int direction, std::uint32_t styles,
                      const TipMetrics& m, MarkupRect screen);

// The window region of a tip: the body (covering left to right and top to
// bottom inclusive, with rounded corners or not) joined with the anchor
// triangle; with a shadow, the region moved by the shadow offset is the
// shadow region, and the window shows both.
struct TipShape {
    MarkupRect body;
    bool rounded = false;
    int cornerWidth = 0;
    int cornerHeight = 0;
    bool hasAnchor = false;
    std::array<MarkupPoint, 3> anchor{};
    bool hasShadow = false;
    MarkupPoint shadowOffset;
};

TipShape ShapeTip(MarkupSize size, MarkupPoint anchorInWindow, int direction, std::uint32_t styles,
                  const TipMetrics& m);

// Where the painting of a tip puts its parts, from the paint rectangle (the
// window's rectangle less 1 at the right and bottom).
struct TipLayout {
    MarkupRect background;
    bool hasIcon = false;
    MarkupPoint iconAt;
    MarkupRect textArea;
};

TipLayout LayOutTip(MarkupRect paintRect, int direction, std::uint32_t styles, const TipMetrics& m,
                    MarkupSize icon, MarkupSize text);

}  // namespace velmora
