#include <gtest/gtest.h>

#include "controls/core/ButtonGeometry.h"

namespace velmora {
namespace {

TEST(PlaceIcon, BesideTheCaptionOrCentredAndMovedWhilePressed) {
    struct Case {
        bool caption, pressed;
        PixelRect item, icon;
        int captionLeft;
    } cases[] = {
        // A caption: the icon at the 3-pixel margin, the caption starts past it.
        {true, false, {10, 20, 60, 41}, {13, 22, 60, 41}, 29},
        // No caption: centred across too; odd differences truncate.
        {false, false, {0, 0, 41, 27}, {12, 5, 41, 27}, 0},
        // Pressed: the whole rectangle one pixel down and right.
        {true, true, {0, 0, 100, 26}, {4, 6, 101, 27}, 19},
        // An icon larger than the item overhangs it equally.
        {false, false, {0, 0, 10, 10}, {-3, -3, 10, 10}, 0},
    };
    for (const Case& c : cases) {
        PixelRect caption = c.item;
        EXPECT_EQ(PlaceIcon(c.caption, c.item, caption, c.pressed, 16, 16), c.icon)
            << c.item.right << "x" << c.item.bottom;
        EXPECT_EQ(caption.left, c.captionLeft);
        EXPECT_EQ(caption.right, c.item.right);
    }
}

TEST(CentreBlock, HalfTheSlackOnEachSideTruncatedTowardZero) {
    EXPECT_EQ(CentreBlock({19, 0, 150, 28}, 79, 13), (PixelRect{45, 7, 124, 20}));
    // A block wider than the box: -5 / 2 is -2, not -3.
    EXPECT_EQ(CentreBlock({0, 0, 10, 10}, 15, 4), (PixelRect{-2, 3, 13, 7}));
}

TEST(ChooseThemeState, DisabledThenPressedThenDefaultOnlyWithBorderOrPlainLook) {
    struct Case {
        bool disabled, pressed, isDefault, toolbar, border;
        ThemeState state;
    } cases[] = {
        {false, false, false, true, true, kThemeNormal},
        {true, true, true, true, true, kThemeDisabled},       // disabled wins over pressed
        {false, true, true, true, true, kThemePressed},       // a pressed default button
        {false, false, true, true, true, kThemeDefaulted},    // toolbar look with the border
        {false, false, true, false, false, kThemeDefaulted},  // the plain button look
        {false, false, true, true, false, kThemeNormal},      // toolbar look without the border
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseThemeState(c.disabled, c.pressed, c.isDefault, c.toolbar, c.border),
                  c.state)
            << c.disabled << c.pressed << c.isDefault << c.toolbar << c.border;
    }
}

}  // namespace
}  // namespace velmora
