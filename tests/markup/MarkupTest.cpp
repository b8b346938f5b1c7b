// The markup language and its two layout passes, on a canvas with fixed
// metrics (see FakeMarkupCanvas): every expected position is worked out by
// hand from those metrics.
#include <gtest/gtest.h>

#include "fakes/FakeMarkupCanvas.h"
#include "markup/core/MarkupReader.h"
#include "markup/core/MarkupRenderer.h"

namespace velmora::test {
namespace {

const char kReminder[] =
    "<b><ct=0x0000FF><al_c>Velmora Reminder</b><br><ct=0x00AA00><hr=100%></ct><br><br>Your "
    "computer will Hibernate in <br>00:00:00:00<br><br><br>";

struct Rendered {
    MarkupResult measured;
    MarkupResult drawn;
    MarkupLines lines;
    std::string calls;  // the drawing calls, joined by " | "
};

Rendered Render(std::string_view markup, int width = 300) {
    MarkupSettings settings;
    settings.colours = StandardColourTable(0x111111, 0xE1FFFF, 0xA0A0A0);
    settings.namedImages = {{"Pic", 7, NamedImageKind::Icon, 0}};
    FakeMarkupCanvas measuring, canvas;
    Rendered r;
    r.measured = RenderMarkup(measuring, settings, r.lines, {0, 0, width, 0}, markup, true);
    EXPECT_TRUE(measuring.calls.empty()) << "the measuring pass draws nothing";
    r.drawn = RenderMarkup(canvas, settings, r.lines, {0, 0, width, 0}, markup, false);
    for (const std::string& call : canvas.calls) {
        r.calls += (r.calls.empty() ? "" : " | ") + call;
    }
    return r;
}

TEST(Markup, TagsChangeTheDrawingStateAsWritten) {
    const struct {
        const char* markup;
        const char* calls;
    } cases[] = {
        {"<<b> x>y", "text 0,0 '<b> x>y' 000000 w400"},
        {"<b><b>B</b>n", "text 0,2 'B' 000000 w800 | text 7,2 'n' 000000 w400"},
        {"<i>a<u>b</i><s>c</u>d",
         "text 0,0 'a' 000000 w400 i | text 6,0 'b' 000000 w400 i u | "
         "text 12,0 'c' 000000 w400 u s | text 18,0 'd' 000000 w400 s"},
        {"<ct=0x0000FF>r<ct=0x00AA00>g</ct>d",
         "text 0,0 'r' 0000FF w400 | text 6,0 'g' 00AA00 w400 | text 12,0 'd' 111111 w400"},
        {"<cti=26>a<cti=-1>b<cti=11>c<cti>d",
         "text 0,0 'a' 000000 w400 | text 6,0 'b' 000000 w400 | text 12,0 'c' 0000FF w400 | "
         "text 18,0 'd' 111111 w400"},
        {"<CT=0xff>A<Br><AL_C>b<cb=5>c</cb>d",
         "text 0,0 'A' 0000FF w400 | text 141,10 'b' 0000FF w400 | text 147,10 'c' 0000FF w400 "
         "opaque | text 153,10 'd' 0000FF w400"},
        {"<hr=50%><br><hr=50><br><hr>",
         "line 0,5 150 000000 | line 0,15 50 000000 | "
         "line 0,25 100 000000"},
        {"<icon=7 cx=20 cy=20>|<icon=7 foo=1 cx=20 cy=20>|<icon=99>|<icon=8>",
         "icon 7 0,12 20x20 | text 20,22 '|' 000000 w400 | icon 7 26,16 16x16 | "
         "text 42,22 '|' 000000 w400 | text 48,22 '|' 000000 w400 | icon 8 54,0 32x32"},
        {"<bmp=31 mask cx=10><bmp=0><img=pIC cx=5><img=none>",
         "bitmap 31 0,0 10x20 mask FF00FF | icon 7 10,4 5x16"},
        {"a<>b</>c<nonsense=1>d",
         "text 0,0 'a' 000000 w400 | text 6,0 'b' 000000 w400 | text 12,0 'c' 000000 w400 | "
         "text 18,0 'd' 000000 w400"},
        {"a\tb<t=2>c",
         "text 0,0 'a' 000000 w400 | text 20,0 'b' 000000 w400 | text 60,0 'c' 000000 w400"},
        {"a\r\nb<br=3>c<br=0>d",
         "text 0,0 'a' 000000 w400 | text 0,10 'b' 000000 w400 | "
         "text 0,40 'c' 000000 w400 | text 0,50 'd' 000000 w400"},
        // Alignment applies from the next line; a rule keeps the line start.
        {"a<al_c>b<br>cc<br><al_r><hr=4>xy",
         "text 0,0 'a' 000000 w400 | text 6,0 'b' 000000 w400 | text 144,10 'cc' 000000 w400 | "
         "line 0,25 4 000000 | text 284,20 'xy' 000000 w400"},
    };
    for (const auto& c : cases) {
        const Rendered r = Render(c.markup);
        EXPECT_EQ(r.calls, c.calls) << c.markup;
        EXPECT_TRUE(r.drawn.ok) << c.markup;
        EXPECT_EQ(r.drawn.lines, r.measured.lines) << c.markup;
    }
}

TEST(Markup, ReminderIsEightLinesWithItsRuleAsWideAsTheText) {
    const Rendered r = Render(kReminder);
    EXPECT_EQ(r.measured.size, (MarkupSize{192, 82}));
    EXPECT_EQ(r.lines.widths, (std::vector<int>{112, 192, 0, 192, 66, 0, 0, 0}));
    EXPECT_EQ(r.lines.heights, (std::vector<int>{12, 10, 10, 10, 10, 10, 10, 10}));
    EXPECT_EQ(r.calls,
              "text 94,2 'Velmora Reminder' 0000FF w800 | line 0,17 300 00AA00 | "
              "text 54,32 'Your computer will Hibernate in ' 111111 w400 | "
              "text 117,42 '00:00:00:00' 111111 w400");
    EXPECT_EQ(r.drawn.size, (MarkupSize{0, 82}));
}

TEST(Markup, MeasuringIgnoresAlignmentAndEdgeStringsAgree) {
    EXPECT_EQ(Render("<al_r>abc<al_c>").lines.widths, Render("abc").lines.widths);
    EXPECT_EQ(Render("<al_r>abc").calls, "text 282,0 'abc' 000000 w400");

    MarkupLines lines{{5}, {5}};
    FakeMarkupCanvas canvas;
    const MarkupResult empty = RenderMarkup(canvas, {}, lines, {}, "", true);
    EXPECT_EQ(empty.size, (MarkupSize{0, 0}));
    EXPECT_TRUE(lines.heights.empty() && lines.widths.empty() && canvas.calls.empty());
    // Without a measuring pass over the same string the drawing pass refuses.
    EXPECT_FALSE(RenderMarkup(canvas, {}, lines, {}, "a", false).ok);
    RenderMarkup(canvas, {}, lines, {}, "a", true);
    EXPECT_FALSE(RenderMarkup(canvas, {}, lines, {}, "a<br>b", false).ok);

    // A string that ends inside a tag still closes its last line.
    for (const char* unclosed : {"ab<b", "ab<ct=0x0000FF", "ab<icon=7 cx=9", "<"}) {
        const Rendered r = Render(unclosed);
        EXPECT_EQ(r.measured.lines, 1) << unclosed;
        EXPECT_TRUE(r.drawn.ok) << unclosed;
        EXPECT_EQ(r.drawn.size.height, r.measured.size.height) << unclosed;
    }
}

TEST(Markup, NumbersReadLikeStrtoulInThirtyTwoBits) {
    EXPECT_EQ(ParseMarkupNumber("0x0000FF"), 0xFFu);
    EXPECT_EQ(ParseMarkupNumber("0XaB"), 0xABu);
    EXPECT_EQ(ParseMarkupNumber("017"), 15u);
    EXPECT_EQ(ParseMarkupNumber("100%"), 100u);
    EXPECT_EQ(ParseMarkupNumber("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseMarkupNumber("99999999999"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseMarkupNumber("0x"), 0u);
    EXPECT_EQ(ParseMarkupNumber("abc"), 0u);
}

}  // namespace
}  // namespace velmora::test
