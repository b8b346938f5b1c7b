#pragma once

#include <functional>

#include "markup/core/EffectSurface.h"

namespace velmora {

// A random number from 0 to 32767.
using RandomSource = std::function<int()>;

// std::rand scaled to 0 to 32767.
int StandardRandom();

struct EffectColours {
    ColourRef begin = 0;
    ColourRef mid = 0;
    ColourRef end = 0;
};

// Computes textured effect 7 to 15 into `surface` as width by height: its
// colour table runs from `colours.end` (index 0) through `mid` (128) to
// `begin` (255) and is then blended `blendPercent` towards `blendColour`;
// `granularity` is the amplitude of the noise. Another effect number, or an
// empty size, leaves the surface empty.
void BuildTexturedEffect(EffectSurface& surface, int width, int height, int effect, int granularity,
                         int blendPercent, ColourRef blendColour, const EffectColours& colours,
                         const RandomSource& random);

}  // namespace velmora
