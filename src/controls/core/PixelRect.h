#pragma once

namespace velmora {

// A rectangle by its edges, as window rectangles are kept: right and bottom
// lie just outside it. Shared by the painted buttons and the tooltip layout.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    PixelRect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const PixelRect&) const = default;
};

}  // namespace velmora
