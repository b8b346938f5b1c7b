#pragma once

#include <cstdint>

#include "controls/core/PixelRect.h"

namespace velmora {

// A colour as 0x00BBGGRR: red in the lowest byte.
using ColourRef = std::uint32_t;

constexpr ColourRef MakeColour(int red, int green, int blue) {
    return static_cast<ColourRef>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr int RedOf(ColourRef c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(ColourRef c) {
    return static_cast<int>(c >> 8 & 0xFF);
}
constexpr int BlueOf(ColourRef c) {
    return static_cast<int>(c >> 16 & 0xFF);
}

struct MarkupPoint {
    int x = 0;
    int y = 0;
    bool operator==(const MarkupPoint&) const = default;
};

struct MarkupSize {
    int width = 0;
    int height = 0;
    bool operator==(const MarkupSize&) const = default;
};

// Edges as a window rectangle: right and bottom lie just outside.
using MarkupRect = PixelRect;

}  // namespace velmora
