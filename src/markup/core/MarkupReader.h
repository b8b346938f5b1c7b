#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

enum class MarkupTagKind {
    Unknown,  // any name the language does not know: changes nothing
    Bold,
    Italic,
    Underline,
    StrikeOut,
    Break,  // "br" and a line feed
    Tab,    // "t" and a tab character
    TextColour,
    TextColourIndex,
    BackColour,
    BackColourIndex,
    AlignLeft,
    AlignCentre,
    AlignRight,
    Rule,
    NamedImage,
    ListImage,
    Icon,
    Bitmap,
};

// One tag as written. Values and attributes are raw text; an empty text
// stands for an absent value, which the reader of the tag replaces by the
// tag's default at that moment.
struct MarkupTag {
    MarkupTagKind kind = MarkupTagKind::Unknown;
    bool closing = false;
    std::string value;
    std::string cx;
    std::string cy;
    std::string mask;
    bool maskGiven = false;
};

struct MarkupToken {
    bool isText = false;
    std::string text;  // a text run, without carriage returns
    MarkupTag tag;
};

// Cuts a markup string into text runs and tags, in order.
class MarkupReader {
public:
    explicit MarkupReader(std::string_view markup) : s_(markup) {}

    // The next token; false once the whole string has been read.
    bool Next(MarkupToken& token);

private:
    std::string ReadRun();
    MarkupTag ReadTag();
    std::string ReadName(bool tagName);
    std::string ReadValue();
    void ReadAttributes(MarkupTag& tag, int count);
    void SkipRest();

    std::string_view s_;
    std::size_t pos_ = 0;
};

// Tag and attribute names compare without regard to ASCII letter case.
bool SameMarkupName(std::string_view a, std::string_view b);

// A numeric value as strtoul reads it with base 0 ("0x" hexadecimal, a
// leading 0 octal, else decimal; stops at the first foreign character; a
// leading "-" wraps), in 32 bits: a number too large gives 0xFFFFFFFF.
std::uint32_t ParseMarkupNumber(std::string_view text);

}  // namespace velmora
