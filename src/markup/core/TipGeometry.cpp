#include "markup/core/TipGeometry.h"

#include <algorithm>

#include "markup/core/TipOptions.h"

namespace velmora {

namespace {

bool Below(int direction) {
    return direction >= 2;
}

bool Rightward(int direction) {
    return direction == 1 || direction == 3;
}

// One try of one axis; writes the edges only when they fit.
bool TryHorizontal(int direction, MarkupPoint p, int w, int am, MarkupRect screen, MarkupRect& r) {
    int left = 0;
    int right = 0;
    if (Rightward(direction)) {
        left = p.x - screen.left < am ? screen.left : p.x - am;
        right = left + w;
    } else {
        right = std::min(p.x + am, screen.right);
        left = right - w;
    }
    if (left < screen.left || right > screen.right) {
        return false;
    }
    r.left = left;
    r.right = right;
    return true;
}

bool TryVertical(int direction, MarkupPoint p, int h, MarkupRect screen, MarkupRect& r) {
    const int top = Below(direction) ? p.y : p.y - h;
    if (top < screen.top || top + h > screen.bottom) {
        return false;
    }
    r.top = top;
    r.bottom = top + h;
    return true;
}

}  // namespace

TipMetrics BalloonMetrics() {
    return {16, 16, 12, 12, 4, 4, 12, 16, 16, 1, 1};
}

TipMetrics RectangleMetrics() {
    return {0, 0, 3, 1, 0, 0, 0, 0, 0, 1, 1};
}

MarkupSize TipWindowSize(MarkupSize text, MarkupSize icon, std::uint32_t styles,
                         const TipMetrics& m) {
    MarkupSize size = text;
    if (icon != MarkupSize{}) {
        size.width += icon.width + (text.width != 0 ? m.marginX : 0);
        size.height = std::max(text.height, icon.height);
    }
    size.width += 2 * m.marginX;
    size.height += m.anchorHeight + 2 * m.marginY;
    if ((styles & StyleShadow) != 0) {
        size.width += m.shadowX;
        size.height += m.shadowY;
    }
    return size;
}

TipPlacement PlaceTip(MarkupPoint anchor, MarkupSize size, int direction, std::uint32_t styles,
                      const TipMetrics& m, MarkupRect screen) {
    TipPlacement placed{
        {screen.left, screen.top, screen.left + size.width, screen.top + size.height}, direction};
    if (!TryHorizontal(placed.direction, anchor, size.width, m.anchorMargin, screen, placed.rect)) {
        placed.direction ^= 1;
        TryHorizontal(placed.direction, anchor, size.width, m.anchorMargin, screen, placed.rect);
    }
    if (!TryVertical(placed.direction, anchor, size.height, screen, placed.rect)) {
        placed.direction ^= 2;
        TryVertical(placed.direction, anchor, size.height, screen, placed.rect);
    }
    if ((styles & StyleShadow) != 0 && !Rightward(placed.direction)) {
        placed.rect = {placed.rect.left + m.shadowX, placed.rect.top + m.shadowY,
                       placed.rect.right + m.shadowX, placed.rect.bottom + m.shadowY};
    }
    return placed;
}

TipShape ShapeTip(MarkupSize size, MarkupPoint anchorInWindow, int direction, std::uint32_t styles,
                  const TipMetrics& m) {
    TipShape shape;
    shape.hasShadow = (styles & StyleShadow) != 0;
    if (shape.hasShadow) {
        size.width -= m.shadowX;
        size.height -= m.shadowY;
        shape.shadowOffset = {m.shadowX, m.shadowY};
    }
    shape.body = {0, 0, size.width, size.height};
    (Below(direction) ? shape.body.top : shape.body.bottom) +=
        Below(direction) ? m.anchorHeight : -m.anchorHeight;
    shape.rounded = (styles & StyleRounded) != 0;
    shape.cornerWidth = m.cornerWidth;
    shape.cornerHeight = m.cornerHeight;
    shape.hasAnchor = (styles & StyleAnchor) != 0;
    if (shape.hasAnchor) {
        const int edge = Below(direction) ? shape.body.top : shape.body.bottom;
        const int x1 = Rightward(direction) ? shape.body.left + m.anchorMargin
                                            : shape.body.right - m.anchorMargin;
        const int x2 = Rightward(direction) ? x1 + m.anchorWidth : x1 - m.anchorWidth;
        shape.anchor = {anchorInWindow, MarkupPoint{x1, edge}, MarkupPoint{x2, edge}};
    }
    return shape;
}

TipLayout LayOutTip(MarkupRect r, int direction, std::uint32_t styles, const TipMetrics& m,
                    MarkupSize icon, MarkupSize text) {
    TipLayout layout;
    if ((styles & StyleShadow) != 0) {
        r.right -= m.shadowX;
        r.bottom -= m.shadowY;
    }
    layout.background = r;
    r = {r.left + m.marginX, r.top + m.marginY, r.right - m.marginX, r.bottom - m.marginY};
    (Below(direction) ? r.top : r.bottom) += Below(direction) ? m.anchorHeight : -m.anchorHeight;
    layout.hasIcon = icon != MarkupSize{};
    if (layout.hasIcon) {
        int top = r.top;
        if ((styles & StyleIconVCentre) != 0) {
            top += (r.Height() - icon.height) / 2;
        } else if ((styles & StyleIconBottom) != 0) {
            top = r.bottom - icon.height;
        }
        layout.iconAt = {m.marginX, top};
        r.left += icon.width + m.marginX;
    }
    if ((styles & StyleTextBottom) != 0) {
        r.top = r.bottom - text.height;
    } else if ((styles & StyleTextVCentre) != 0) {
        r.top += (r.Height() - text.height) / 2;
    }
    layout.textArea = r;
    return layout;
}

}  // namespace velmora
