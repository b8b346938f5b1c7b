#pragma once

#include <array>

#include "markup/core/MarkupTypes.h"

namespace velmora {

// The tooltip's 26 colour slots; tags name them by number.
using MarkupColourTable = std::array<ColourRef, 26>;

enum MarkupColourSlot : int {
    SlotTextColour = 17,       // default text colour
    SlotBackgroundBegin = 18,  // default background; first colour of gradients and effects
    SlotBackgroundMid = 19,
    SlotBackgroundEnd = 20,
    SlotShadowColour = 24,
    SlotBorderColour = 25,
};

// The sixteen standard colours in slots 0 to 15, black in the unassigned
// slot 16, and the system's colours where the tooltip takes them.
MarkupColourTable StandardColourTable(ColourRef infoText, ColourRef infoBackground,
                                      ColourRef buttonShadow);

}  // namespace velmora
