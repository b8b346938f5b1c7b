#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "markup/core/MarkupCanvas.h"
#include "markup/core/MarkupColours.h"

namespace velmora {

// The width and height of every line, in pixels, as the measuring pass
// found them; the drawing pass aligns and places by them.
struct MarkupLines {
    std::vector<int> widths;
    std::vector<int> heights;
};

enum class NamedImageKind : std::uint8_t { Icon = 0, Bitmap = 1, MaskedBitmap = 2 };

// An entry of the named-image list that "img" looks up by name.
struct NamedImage {
    std::string name;
    std::uint16_t id = 0;
    NamedImageKind kind = NamedImageKind::Icon;
    ColourRef mask = 0;
};

// What the tags read from the tooltip: its default font, its colour slots
// and its named images.
struct MarkupSettings {
    MarkupFont font;
    MarkupColourTable colours{};
    std::vector<NamedImage> namedImages;
};

struct MarkupResult {
    MarkupSize size;  // measuring: widest line and total height; drawing: 0 and the height drawn
    int lines = 0;    // lines the pass closed
    bool ok = true;   // false when the drawing pass met a line the tables do not hold
};

// Lays out a markup string in `area` (its left and top; the drawing pass
// also uses its right edge). The measuring pass draws nothing and refills
// `lines`; the drawing pass reads them and draws.
MarkupResult RenderMarkup(MarkupCanvas& canvas, const MarkupSettings& settings, MarkupLines& lines,
                          MarkupRect area, std::string_view markup, bool measuring);

}  // namespace velmora
