// Arbitrary bytes as markup: the measuring pass and the drawing pass over
// the same string never fail and always agree on the lines and the height.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fakes/FakeMarkupCanvas.h"
#include "markup/core/MarkupRenderer.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    static const MarkupSettings settings{{},
                                         StandardColourTable(0x111111, 0xE1FFFF, 0xA0A0A0),
                                         {{"pic", 7, NamedImageKind::Icon, 0}}};
    const std::string_view markup(reinterpret_cast<const char*>(data), size);
    test::FakeMarkupCanvas canvas;
    MarkupLines lines;
    const MarkupResult measured = RenderMarkup(canvas, settings, lines, {3, 4, 0, 0}, markup, true);
    const MarkupResult drawn = RenderMarkup(canvas, settings, lines, {3, 4, 200, 0}, markup, false);
    Check(measured.ok && drawn.ok);
    Check(measured.lines == drawn.lines);
    Check(lines.heights.size() == static_cast<std::size_t>(measured.lines));
    Check(measured.size.height == drawn.size.height);
    Check(markup.empty() == (measured.lines == 0));
    return 0;
}
