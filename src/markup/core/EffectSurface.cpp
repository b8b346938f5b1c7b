#include "markup/core/EffectSurface.h"

#include <algorithm>

namespace velmora {

void EffectSurface::Create(int width, int height) {
    Destroy();
    if (width <= 0 || height <= 0) {
        return;
    }
    width_ = width;
    height_ = height;
    stride_ = (width * 8 + 31) / 32 * 4;
    pixels_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), 0);
}

void EffectSurface::SetPaletteEntry(int index, int red, int green, int blue) {
    if (!IsEmpty()) {
        palette_[static_cast<unsigned>(index) % 256] = MakeColour(red, green, blue);
    }
}

void EffectSurface::BlendPalette(ColourRef colour, int percent) {
    const int p = std::min(percent, 100);
    const auto blend = [p](int towards, int entry) {
        return (towards * p + entry * (100 - p)) / 100;
    };
    for (ColourRef& entry : palette_) {
        entry =
            MakeColour(blend(RedOf(colour), RedOf(entry)), blend(GreenOf(colour), GreenOf(entry)),
                       blend(BlueOf(colour), BlueOf(entry)));
    }
}

void EffectSurface::Fill(std::uint8_t index) {
    std::fill(pixels_.begin(), pixels_.end(), index);
}

void EffectSurface::SetPixel(int x, int y, std::uint8_t index) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
        pixels_[Offset(x, y)] = index;
    }
}

}  // namespace velmora
