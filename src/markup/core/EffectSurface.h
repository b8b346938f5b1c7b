#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "markup/core/MarkupTypes.h"

namespace velmora {

// An 8-bit picture whose pixels are indexes into its own 256-entry colour
// table. Rows are stored from the top, each `Stride()` bytes (a multiple
// of 4).
class EffectSurface {
public:
    // Drops what it held; all entries and pixels are 0. A size that is not
    // positive leaves the surface empty.
    void Create(int width, int height);
    void Destroy() { *this = EffectSurface(); }

    // Ignored when the surface is empty or the index (mod 256) is out of range.
    void SetPaletteEntry(int index, int red, int green, int blue);
    // Every entry moves towards `colour` by `percent` (at most 100).
    void BlendPalette(ColourRef colour, int percent);
    void Fill(std::uint8_t index);
    // y counts from the top; ignored outside the surface.
    void SetPixel(int x, int y, std::uint8_t index);
    std::uint8_t Pixel(int x, int y) const { return pixels_[Offset(x, y)]; }

    bool IsEmpty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    const std::uint8_t* Bits() const { return pixels_.data(); }
    const std::array<ColourRef, 256>& Palette() const { return palette_; }

private:
    std::size_t Offset(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::array<ColourRef, 256> palette_{};
    std::vector<std::uint8_t> pixels_;
};

}  // namespace velmora
