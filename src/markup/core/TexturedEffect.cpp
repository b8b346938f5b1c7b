#include "markup/core/TexturedEffect.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "markup/core/TipBackground.h"

namespace velmora {

namespace {

using Int = std::int64_t;

int Mix128(int a, int b, int k) {
    return (a * (128 - k) + b * k) / 128;
}

void FillPalette(EffectSurface& surface, const EffectColours& c) {
    const auto set = [&](int index, ColourRef from, ColourRef to, int k) {
        surface.SetPaletteEntry(index, Mix128(RedOf(from), RedOf(to), k),
                                Mix128(GreenOf(from), GreenOf(to), k),
                                Mix128(BlueOf(from), BlueOf(to), k));
    };
    for (int k = 0; k <= 128; ++k) {
        set(k, c.end, c.mid, k);
    }
    for (int i = 1; i <= 128; ++i) {
        set(127 + i, c.mid, c.begin, i);
    }
}

// The pixel arithmetic of the effects: rows r count from the bottom row,
// values wrap at 8 bits.
class Texture {
public:
    Texture(EffectSurface& surface, int granularity, const RandomSource& random)
        : s_(surface),
          w_(surface.Width()),
          h_(surface.Height()),
          e_(granularity & 0xFF),
          span_(255 - 2 * e_),
          divisor_(32767 / std::max<Int>(2 * e_, 1)),
          random_(random) {}

    void Build(int effect);

private:
    Int Random() const { return random_(); }
    Int Noise() const { return Random() / divisor_ - e_; }
    Int Get(Int x, Int r) const {
        return s_.Pixel(static_cast<int>(x), static_cast<int>(h_ - 1 - r));
    }
    void Put(Int x, Int r, Int value) {
        s_.SetPixel(static_cast<int>(x), static_cast<int>(h_ - 1 - r),
                    static_cast<std::uint8_t>(value & 0xFF));
    }
    template <typename F>
    void EachPixel(F value) {  // value(x, r), then one noise value is added
        for (Int r = 0; r < h_; ++r) {
            for (Int x = 0; x < w_; ++x) {
                Put(x, r, value(x, r) + Noise());
            }
        }
    }
    static Int Cube(Int u) { return u * u * u / 128 / 128; }
    Int RowCurve(Int r) const { return Cube(r * 255 / h_ - 127); }
    Int ColumnCurve(Int x) const { return Cube(255 * (w_ - x) / w_ - 127); }
    void RaisedEdges();
    void Brushed();

    EffectSurface& s_;
    const Int w_;
    const Int h_;
    const Int e_;
    const Int span_;
    const Int divisor_;
    const RandomSource& random_;
};

void Texture::Build(int effect) {
    const Int e = e_, s = span_, w = w_, h = h_;
    switch (effect) {
        case EffectNoise:
            return EachPixel([](Int, Int) { return Int{128}; });
        case EffectDiagonalRamp:
            return EachPixel(
                [=](Int x, Int r) { return e + s / 2 * (w - x) / w + r * (s / 2) / h; });
        case EffectVerticalRamp:
            return EachPixel([=](Int, Int r) { return e + r * s / h; });
        case EffectHorizontalRamp:
            return EachPixel([=](Int x, Int) { return e + s * (w - x) / w; });
        case EffectVerticalCurve:
            return EachPixel([=, this](Int, Int r) { return RowCurve(r) * (128 - e) / 128 + 128; });
        case EffectHorizontalCurve:
            return EachPixel(
                [=, this](Int x, Int) { return ColumnCurve(x) * (128 - e) / 128 + 128; });
        case EffectCrossCurve:
            return EachPixel([=, this](Int x, Int r) {
                Int v = (RowCurve(r) + ColumnCurve(x)) * (128 - e) / 128 + 128;
                v = v < e ? e : v;
                return v > 255 - e ? 255 - e : v;
            });
        case EffectRaisedEdges:
            return RaisedEdges();
        case EffectBrushed:
            return Brushed();
        default:
            return;
    }
}

void Texture::RaisedEdges() {
    const Int e = e_, w = w_, h = h_;
    EachPixel([=, this](Int, Int r) { return RowCurve(r) * (64 - e) * 2 / 128 + 128; });
    // A light band on the left and a dark one on the right, j pixels wide in
    // the middle row and narrowing to nothing at the top and bottom. The
    // tip's margins keep j and n above 0; tiny surfaces are guarded too.
    const Int j = std::max<Int>(std::min<Int>(w / 6, 16), 1);
    const Int n = std::max<Int>(h * h / 4, 1);
    for (Int r = 0; r < h; ++r) {
        const Int k = r - h / 2;
        const Int d = k * k * j / n + w / 2 - j;
        for (Int x = 0; x < w; ++x) {
            const Int a = x - w / 2;
            if (a > d) {
                Put(x, r, e + 128 * (w - x) / j);
            }
            if (a + d < 0) {
                Put(x, r, 255 - e - 128 * x / j);
            }
        }
        for (Int x = 0; x < w; ++x) {
            Put(x, r, Get(x, r) + Noise());
        }
    }
}

void Texture::Brushed() {
    const Int w = w_, h = h_;
    s_.Fill(0);
    const auto scaled = [this](Int range) { return Random() / std::max<Int>(32767 / range, 1); };
    for (int stroke = 0; stroke < 200; ++stroke) {
        const Int x = scaled(w);
        const Int y = scaled(h);
        const Int length = scaled(std::min(w, h)) / 2;
        const auto value = static_cast<std::uint8_t>(Random() / 819);
        for (Int i = 0; i < length; ++i) {  // y counts from the top here
            if (x - i > 0 && y + i < h) {
                s_.SetPixel(static_cast<int>(x - i), static_cast<int>(y + i), value);
            }
            if (x + i < w && y - i > 0) {
                s_.SetPixel(static_cast<int>(w - x + i), static_cast<int>(y - i), value);
            }
        }
    }
    const Int rise = (span_ - 40) / 2;
    for (Int r = 0; r < h; ++r) {
        for (Int x = 0; x < w; ++x) {
            // Noise from 0 to 2E here, not centred.
            Put(x, r, Get(x, r) + rise * (w - x) / w + r * rise / h + Random() / divisor_);
        }
    }
}

}  // namespace

int StandardRandom() {
    return std::rand() & 0x7FFF;
}

void BuildTexturedEffect(EffectSurface& surface, int width, int height, int effect, int granularity,
                         int blendPercent, ColourRef blendColour, const EffectColours& colours,
                         const RandomSource& random) {
    surface.Create(width, height);
    if (surface.IsEmpty() || !IsTexturedEffect(effect)) {
        surface.Destroy();
        return;
    }
    FillPalette(surface, colours);
    surface.BlendPalette(blendColour, blendPercent);
    Texture(surface, granularity, random).Build(effect);
}

}  // namespace velmora
