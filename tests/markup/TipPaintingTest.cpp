// Gradient bands, textured effect pixels for a fixed random source, and the
// tip's size, placement and shape; expected values are worked out by hand.
#include <gtest/gtest.h>

#include "markup/core/TexturedEffect.h"
#include "markup/core/TipBackground.h"
#include "markup/core/TipGeometry.h"
#include "markup/core/TipOptions.h"

namespace velmora::test {
namespace {

TEST(TipBackground, GradientHasSixtyFourBandsEndingShortOfTheEndColour) {
    const auto bands = GradientFills({0, 0, 640, 30}, false, 0x000000, 0xFFFFFF);
    ASSERT_EQ(bands.size(), 64u);
    EXPECT_EQ(bands[0].colour, 0x000000u);
    EXPECT_EQ(bands[32].colour, 0x7F7F7Fu);
    EXPECT_EQ(bands[63].colour, 0xFBFBFBu);
    EXPECT_EQ(bands[63].rect, (MarkupRect{630, 0, 640, 30}));

    const auto narrow = GradientFills({5, 0, 15, 30}, false, 0x000000, 0xFFFFFF);
    ASSERT_EQ(narrow.size(), 10u);  // empty bands are skipped
    EXPECT_EQ(narrow[0].rect, (MarkupRect{5, 0, 6, 30}));
    EXPECT_EQ(narrow[0].colour, 0x171717u);  // band 6
    EXPECT_EQ(narrow[9].rect, (MarkupRect{14, 0, 15, 30}));
    EXPECT_EQ(narrow[9].colour, 0xFBFBFBu);

    const auto mirror = BackgroundFills(EffectVMirrorGradient, {0, 0, 30, 128}, 0xFF, 0, 0xFF00);
    ASSERT_EQ(mirror.size(), 128u);
    EXPECT_EQ(mirror[64].rect, (MarkupRect{0, 64, 30, 65}));
    EXPECT_EQ(mirror[64].colour, 0xFF00u);  // the lower half starts at the end colour
    EXPECT_EQ(BackgroundFills(EffectSolid, {0, 0, 4, 4}, 0xAB, 0, 0).at(0).colour, 0xABu);
    EXPECT_TRUE(BackgroundFills(EffectBrushed, {0, 0, 4, 4}, 0xAB, 0, 0).empty());
}

EffectSurface Build(int effect, int w, int h, int granularity, int random) {
    EffectSurface s;
    BuildTexturedEffect(s, w, h, effect, granularity, 5, 0xFFFFFF, {0xFFFFFF, 0x808080, 0x000000},
                        [random] { return random; });
    return s;
}

TEST(TipBackground, TexturedEffectPixelsFollowTheirRamps) {
    // Granularity 2: noise = random / 8191 - 2, so 16383 adds 0 and 32767 adds 2.
    const EffectSurface ramp = Build(EffectVerticalRamp, 10, 100, 2, 16383);
    EXPECT_EQ(ramp.Pixel(3, 99), 2);  // bottom row: nearest the end colour
    EXPECT_EQ(ramp.Pixel(3, 49), 127);
    EXPECT_EQ(ramp.Pixel(3, 0), 250);  // top row: nearest the begin colour
    EXPECT_EQ(Build(EffectVerticalRamp, 10, 100, 2, 32767).Pixel(3, 0), 252);
    EXPECT_EQ(Build(EffectVerticalRamp, 10, 100, 2, 0).Pixel(3, 0), 248);

    // Granularity 0: the left column's 256 wraps to 0; rand() = 32767 adds 1.
    EXPECT_EQ(Build(EffectHorizontalCurve, 100, 4, 0, 100).Pixel(0, 2), 0);
    EXPECT_EQ(Build(EffectHorizontalCurve, 100, 4, 0, 100).Pixel(50, 2), 128);
    EXPECT_EQ(Build(EffectHorizontalCurve, 100, 4, 0, 32767).Pixel(50, 2), 129);

    const EffectSurface edges = Build(EffectRaisedEdges, 60, 40, 2, 16383);
    EXPECT_EQ(edges.Pixel(0, 19), 253);  // middle row: light band 10 wide on the left
    EXPECT_EQ(edges.Pixel(9, 19), 138);
    EXPECT_EQ(edges.Pixel(30, 19), 128);
    EXPECT_EQ(edges.Pixel(51, 19), 117);  // and dark on the right
    EXPECT_EQ(edges.Pixel(59, 19), 14);

    const EffectSurface brushed = Build(EffectBrushed, 100, 100, 2, 0);  // no strokes, no noise
    EXPECT_EQ(brushed.Pixel(0, 99), 105);
    EXPECT_EQ(brushed.Pixel(99, 0), 104);

    // End colour at 0, begin at 255, all 5 percent towards the begin colour.
    EXPECT_EQ(ramp.Palette()[0], 0x0C0C0Cu);
    EXPECT_EQ(ramp.Palette()[128], 0x868686u);
    EXPECT_EQ(ramp.Palette()[255], 0xFFFFFFu);
    EXPECT_EQ(ramp.Stride(), 12);
    EXPECT_TRUE(Build(EffectSolid, 10, 10, 2, 0).IsEmpty());
}

const std::uint32_t kBalloon = StyleAnchor | StyleShadow | StyleRounded | StyleIconVCentre;

TEST(TipGeometry, SizePlacementAndFlipsAtTheScreenEdges) {
    const TipMetrics m = BalloonMetrics();
    EXPECT_EQ(TipWindowSize({100, 50}, {}, kBalloon, m), (MarkupSize{128, 94}));
    EXPECT_EQ(TipWindowSize({100, 50}, {16, 16}, kBalloon, m), (MarkupSize{156, 94}));
    EXPECT_EQ(TipWindowSize({100, 50}, {}, 0, RectangleMetrics()), (MarkupSize{106, 52}));

    const MarkupRect screen{0, 0, 1024, 768};
    const struct {
        MarkupPoint p;
        MarkupSize size;
        MarkupRect rect;
        int direction;
    } cases[] = {
        {{500, 300}, {128, 94}, {484, 300, 612, 394}, 3},
        {{10, 300}, {128, 94}, {0, 300, 128, 394}, 3},       // left edge
        {{1000, 300}, {128, 94}, {892, 304, 1020, 398}, 2},  // flipped left, shadow shift
        {{500, 700}, {128, 94}, {484, 606, 612, 700}, 1},    // flipped above
        {{500, 300}, {128, 800}, {484, 0, 612, 800}, 1},     // fits neither way
    };
    for (const auto& c : cases) {
        const TipPlacement placed = PlaceTip(c.p, c.size, 3, kBalloon, m, screen);
        EXPECT_EQ(placed.rect, c.rect) << c.p.x << "," << c.p.y;
        EXPECT_EQ(placed.direction, c.direction) << c.p.x << "," << c.p.y;
    }
}

TEST(TipGeometry, ShapeAndPaintLayoutFollowTheAnchorSide) {
    const TipMetrics m = BalloonMetrics();
    const TipShape below = ShapeTip({128, 94}, {16, 0}, 3, kBalloon, m);
    EXPECT_EQ(below.body, (MarkupRect{0, 16, 124, 90}));
    EXPECT_EQ(below.anchor, (std::array<MarkupPoint, 3>{{{16, 0}, {16, 16}, {28, 16}}}));
    EXPECT_TRUE(below.rounded && below.hasShadow);
    EXPECT_EQ(below.shadowOffset, (MarkupPoint{4, 4}));

    const TipShape above = ShapeTip({128, 94}, {112, 90}, 0, StyleAnchor, m);
    EXPECT_EQ(above.body, (MarkupRect{0, 0, 128, 78}));
    EXPECT_EQ(above.anchor, (std::array<MarkupPoint, 3>{{{112, 90}, {112, 78}, {100, 78}}}));
    EXPECT_FALSE(above.rounded || above.hasShadow);

    const TipLayout layout = LayOutTip({0, 0, 157, 95}, 3, kBalloon, m, {16, 16}, {100, 50});
    EXPECT_EQ(layout.background, (MarkupRect{0, 0, 153, 91}));
    EXPECT_EQ(layout.iconAt, (MarkupPoint{12, 45}));
    EXPECT_EQ(layout.textArea, (MarkupRect{40, 28, 141, 79}));
}

TEST(TipOptions, ToolFieldsOverrideOnlyWhereTheirMaskSays) {
    TipOptions defaults;
    defaults.behaviour = BehaviourReshow;
    TipOptions tool;
    tool.direction = 0;
    ChangeToolStyles(tool, defaults, StyleTextBottom, StyleShadow);
    FillFromDefaults(tool, defaults);
    EXPECT_EQ(tool.styles, StyleAnchor | StyleRounded | StyleIconVCentre | StyleTextBottom);
    EXPECT_EQ(tool.direction, 3u);
    EXPECT_EQ(tool.behaviour, BehaviourReshow);
}

}  // namespace
}  // namespace velmora::test
