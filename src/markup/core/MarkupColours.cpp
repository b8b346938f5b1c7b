#include "markup/core/MarkupColours.h"

namespace velmora {

MarkupColourTable StandardColourTable(ColourRef infoText, ColourRef infoBackground,
                                      ColourRef buttonShadow) {
    return {0x000000,       0x800000,       0x008000,       0x808000, 0x000080, 0x800080,
            0x008080,       0x808080,       0xFF0000,       0x00FF00, 0xFFFF00, 0x0000FF,
            0xFF00FF,       0x00FFFF,       0xC0C0C0,       0xFFFFFF, 0x000000, infoText,
            infoBackground, infoBackground, infoBackground, 0xEE0000, 0x8B1A55, 0x0000FF,
            buttonShadow,   infoText};
}

}  // namespace velmora
