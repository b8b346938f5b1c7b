#pragma once

#include <cstdint>

#include "markup/core/MarkupTypes.h"

namespace velmora {

enum TipStyle : std::uint32_t {
    StyleAnchor = 0x1,
    StyleShadow = 0x2,
    StyleRounded = 0x4,
    StyleTextVCentre = 0x8,
    StyleTextBottom = 0x10,
    StyleIconVCentre = 0x20,
    StyleIconBottom = 0x40,
    StyleShowInactive = 0x100,
    StyleDisabledControls = 0x200,
};

enum TipBehaviour : std::uint32_t {
    BehaviourReshow = 0x1,
    BehaviourSticky = 0x4,
    BehaviourHoverKeep = 0x8,
    BehaviourNoAutoPop = 0x10,
};

// Which fields of a tool are its own rather than the tooltip's defaults.
enum TipMask : std::uint32_t {
    MaskStyles = 0x1,
    MaskEffect = 0x2,  // effect and granularity
    MaskColours = 0x4,
    MaskDirection = 0x8,
    MaskBehaviour = 0x10,
};

// The look and behaviour of one tip. Directions: 0 above and to the left
// of the anchor point, 1 above and right, 2 below and left, 3 below and right.
struct TipOptions {
    std::uint32_t mask = 0;
    std::uint32_t styles = StyleAnchor | StyleShadow | StyleRounded | StyleIconVCentre;
    std::uint32_t direction = 3;
    std::uint32_t effect = 0;
    std::uint32_t behaviour = 0;
    std::uint8_t granularity = 2;
    ColourRef colourBegin = 0;
    ColourRef colourMid = 0;
    ColourRef colourEnd = 0;
};

// Every field whose mask bit is clear takes the default's value.
void FillFromDefaults(TipOptions& tip, const TipOptions& defaults);

// add OR (old AND NOT remove), old being the tool's own styles when it has
// them, else the defaults'. The tool then has its own styles.
void ChangeToolStyles(TipOptions& tool, const TipOptions& defaults, std::uint32_t add,
                      std::uint32_t remove);

}  // namespace velmora
