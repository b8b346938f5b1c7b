#pragma once

#include "controls/core/PixelRect.h"

// Where an owner-drawn button puts its icon and caption, and which themed
// face state it shows. Pure rules, so they are checked without a display.
namespace velmora {

// Distance from the button's left edge to the icon when there is a caption.
inline constexpr int kIconMargin = 3;
// How far icon and caption move, right and down, while the button is pressed.
inline constexpr int kPressOffset = 1;

// The icon's rectangle in the item rectangle. With a caption the icon sits
// at the left margin and the caption rectangle's left edge moves right past
// it; without one the icon is centred across. It is always centred down, and
// moved by the press offset while pressed. Only the left and top edges are
// placed: right and bottom stay the item's.
PixelRect PlaceIcon(bool hasCaption, const PixelRect& item, PixelRect& caption, bool pressed,
                    int iconWidth, int iconHeight);

// A text block of the measured size centred in the box, its top-left corner
// moved from the box's by half the difference in each direction (a block
// larger than the box overhangs it equally on both sides).
PixelRect CentreBlock(const PixelRect& box, int blockWidth, int blockHeight);

// The face states a themed button is drawn in.
enum ThemeState : int {
    kThemeNormal = 1,
    kThemePressed = 3,
    kThemeDisabled = 4,
    kThemeDefaulted = 5,
};

// The first rule that holds: disabled, pressed, then the default button's
// latched look (only with the border drawn or in the plain button look),
// otherwise normal.
ThemeState ChooseThemeState(bool disabled, bool pressed, bool isDefault, bool toolbarLook,
                            bool drawBorder);

}  // namespace velmora
