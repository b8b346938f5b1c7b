#include "controls/core/ButtonGeometry.h"

namespace velmora {

PixelRect PlaceIcon(bool hasCaption, const PixelRect& item, PixelRect& caption, bool pressed,
                    int iconWidth, int iconHeight) {
    PixelRect icon = item;
    if (hasCaption) {
        icon.left = item.left + kIconMargin;
        caption.left += iconWidth + kIconMargin;
    } else {
        icon.left = item.left + (item.Width() - iconWidth) / 2;
    }
    icon.top = item.top + (item.Height() - iconHeight) / 2;
    if (pressed) {
        icon = icon.Moved(kPressOffset, kPressOffset);
    }
    return icon;
}

PixelRect CentreBlock(const PixelRect& box, int blockWidth, int blockHeight) {
    const PixelRect block{box.left, box.top, box.left + blockWidth, box.top + blockHeight};
    return block.Moved((box.Width() - blockWidth) / 2, (box.Height() - blockHeight) / 2);
}

ThemeState ChooseThemeState(bool disabled, bool pressed, bool isDefault, bool toolbarLook,
                            bool drawBorder) {
    if (disabled) {
        return kThemeDisabled;
    }
    if (pressed) {
        return kThemePressed;
    }
    if (isDefault && (!toolbarLook || drawBorder)) {
        return kThemeDefaulted;
    }
    return kThemeNormal;
}

}  // namespace velmora
