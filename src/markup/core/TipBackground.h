#pragma once

#include <vector>

#include "markup/core/MarkupTypes.h"

namespace velmora {

// Background effects of a tip.
enum TipEffect : int {
    EffectSolid = 0,
    EffectHGradient = 1,
    EffectVGradient = 2,
    EffectHMirrorGradient = 3,
    EffectVMirrorGradient = 4,
    EffectH3Gradient = 5,
    EffectV3Gradient = 6,
    EffectNoise = 7,
    EffectDiagonalRamp = 8,
    EffectVerticalRamp = 9,
    EffectHorizontalRamp = 10,
    EffectVerticalCurve = 11,
    EffectHorizontalCurve = 12,
    EffectCrossCurve = 13,
    EffectRaisedEdges = 14,
    EffectBrushed = 15,
};

constexpr bool IsTexturedEffect(int effect) {
    return effect >= EffectNoise && effect <= EffectBrushed;
}

struct ColourFill {
    MarkupRect rect;
    ColourRef colour = 0;
};

// A gradient from c0 to c1 in 64 bands along x (or y when vertical); empty
// bands are left out, and the last band is (c0 + 63 × c1) / 64.
std::vector<ColourFill> GradientFills(MarkupRect rect, bool vertical, ColourRef c0, ColourRef c1);

// The fills that paint `rect` for a solid or gradient effect (any number
// but the textured ones 7 to 15, which have none).
std::vector<ColourFill> BackgroundFills(int effect, MarkupRect rect, ColourRef begin, ColourRef mid,
                                        ColourRef end);

}  // namespace velmora
