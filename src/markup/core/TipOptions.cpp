#include "markup/core/TipOptions.h"

namespace velmora {

void FillFromDefaults(TipOptions& tip, const TipOptions& defaults) {
    const std::uint32_t own = tip.mask;
    if ((own & MaskStyles) == 0) {
        tip.styles = defaults.styles;
    }
    if ((own & MaskEffect) == 0) {
        tip.effect = defaults.effect;
        tip.granularity = defaults.granularity;
    }
    if ((own & MaskColours) == 0) {
        tip.colourBegin = defaults.colourBegin;
        tip.colourMid = defaults.colourMid;
        tip.colourEnd = defaults.colourEnd;
    }
    if ((own & MaskDirection) == 0) {
        tip.direction = defaults.direction;
    }
    if ((own & MaskBehaviour) == 0) {
        tip.behaviour = defaults.behaviour;
    }
}

void ChangeToolStyles(TipOptions& tool, const TipOptions& defaults, std::uint32_t add,
                      std::uint32_t remove) {
    const std::uint32_t old = (tool.mask & MaskStyles) != 0 ? tool.styles : defaults.styles;
    tool.styles = add | (old & ~remove);
    tool.mask |= MaskStyles;
}

}  // namespace velmora
