#include "markup/core/TipBackground.h"

#include <cstdint>
#include <tuple>

namespace velmora {

namespace {

int Mix(int a, int b, int k) {
    return (a * (64 - k) + b * k) / 64;
}

void AddHalves(std::vector<ColourFill>& fills, MarkupRect rect, bool vertical, ColourRef a,
               ColourRef b, ColourRef c) {
    MarkupRect first = rect;
    MarkupRect second = rect;
    if (vertical) {
        first.bottom = second.top = rect.top + (rect.bottom - rect.top) / 2;
    } else {
        first.right = second.left = rect.left + (rect.right - rect.left) / 2;
    }
    for (const auto& [part, from, to] : {std::tuple{first, a, b}, std::tuple{second, b, c}}) {
        const std::vector<ColourFill> bands = GradientFills(part, vertical, from, to);
        fills.insert(fills.end(), bands.begin(), bands.end());
    }
}

}  // namespace

std::vector<ColourFill> GradientFills(MarkupRect rect, bool vertical, ColourRef c0, ColourRef c1) {
    std::vector<ColourFill> fills;
    const std::int64_t a = vertical ? rect.top : rect.left;
    const std::int64_t length = (vertical ? rect.bottom : rect.right) - a;
    for (int k = 0; k < 64; ++k) {
        const auto from = static_cast<int>(a + ((length * k) >> 6));
        const auto to = static_cast<int>(a + ((length * (k + 1)) >> 6));
        if (from == to) {
            continue;
        }
        ColourFill band{rect,
                        MakeColour(Mix(RedOf(c0), RedOf(c1), k), Mix(GreenOf(c0), GreenOf(c1), k),
                                   Mix(BlueOf(c0), BlueOf(c1), k))};
        (vertical ? band.rect.top : band.rect.left) = from;
        (vertical ? band.rect.bottom : band.rect.right) = to;
        fills.push_back(band);
    }
    return fills;
}

std::vector<ColourFill> BackgroundFills(int effect, MarkupRect rect, ColourRef begin, ColourRef mid,
                                        ColourRef end) {
    const bool vertical = effect % 2 == 0;
    std::vector<ColourFill> fills;
    switch (effect) {
        case EffectHGradient:
        case EffectVGradient:
            return GradientFills(rect, vertical, begin, end);
        case EffectHMirrorGradient:
        case EffectVMirrorGradient:
            AddHalves(fills, rect, vertical, begin, end, begin);
            return fills;
        case EffectH3Gradient:
        case EffectV3Gradient:
            AddHalves(fills, rect, vertical, begin, mid, end);
            return fills;
        default:
            if (!IsTexturedEffect(effect)) {
                fills.push_back({rect, begin});
            }
            return fills;
    }
}

}  // namespace velmora
