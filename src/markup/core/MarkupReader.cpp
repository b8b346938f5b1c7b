#include "markup/core/MarkupReader.h"

#include <cctype>

namespace velmora {

namespace {

bool IsTabOrLineFeed(char c) {
    return c == '\t' || c == '\n';
}

struct NamedKind {
    const char* name;
    MarkupTagKind kind;
};

// Compared in this order, after "b" to "t" and the line feed or tab names.
const NamedKind kLaterNames[] = {
    {"ct", MarkupTagKind::TextColour},    {"cti", MarkupTagKind::TextColourIndex},
    {"cb", MarkupTagKind::BackColour},    {"cbi", MarkupTagKind::BackColourIndex},
    {"al", MarkupTagKind::AlignLeft},     {"al_l", MarkupTagKind::AlignLeft},
    {"al_c", MarkupTagKind::AlignCentre}, {"al_r", MarkupTagKind::AlignRight},
    {"hr", MarkupTagKind::Rule},          {"img", MarkupTagKind::NamedImage},
    {"ilst", MarkupTagKind::ListImage},   {"icon", MarkupTagKind::Icon},
    {"bmp", MarkupTagKind::Bitmap},
};

const NamedKind kFirstNames[] = {
    {"b", MarkupTagKind::Bold},      {"i", MarkupTagKind::Italic}, {"u", MarkupTagKind::Underline},
    {"s", MarkupTagKind::StrikeOut}, {"br", MarkupTagKind::Break}, {"t", MarkupTagKind::Tab},
};

MarkupTagKind Recognise(std::string_view name) {
    for (const NamedKind& n : kFirstNames) {
        if (SameMarkupName(name, n.name)) {
            return n.kind;
        }
    }
    if (!name.empty() && name[0] == '\n') {
        return MarkupTagKind::Break;
    }
    if (!name.empty() && name[0] == '\t') {
        return MarkupTagKind::Tab;
    }
    for (const NamedKind& n : kLaterNames) {
        if (SameMarkupName(name, n.name)) {
            return n.kind;
        }
    }
    return MarkupTagKind::Unknown;
}

bool TakesValue(const MarkupTag& tag, char first) {
    switch (tag.kind) {
        case MarkupTagKind::Break:
        case MarkupTagKind::Tab:
            // A line feed or tab character is its own tag with the count 1.
            return !IsTabOrLineFeed(first);
        case MarkupTagKind::TextColour:
            return !tag.closing;  // the closing form restores the default
        case MarkupTagKind::TextColourIndex:
        case MarkupTagKind::BackColour:
        case MarkupTagKind::BackColourIndex:
        case MarkupTagKind::Rule:
        case MarkupTagKind::NamedImage:
        case MarkupTagKind::ListImage:
        case MarkupTagKind::Icon:
        case MarkupTagKind::Bitmap:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool MarkupReader::Next(MarkupToken& token) {
    if (pos_ >= s_.size()) {
        return false;
    }
    token.text = ReadRun();
    token.isText = !token.text.empty();
    token.tag = token.isText ? MarkupTag{} : ReadTag();
    return true;
}

std::string MarkupReader::ReadRun() {
    std::string run;
    while (pos_ < s_.size()) {
        const char c = s_[pos_];
        if (c == '\r') {
            ++pos_;
            continue;
        }
        if (c == '<') {
            // "<<" and a "<" that ends the string are a literal "<".
            if (pos_ + 1 == s_.size() || s_[pos_ + 1] == '<') {
                run += '<';
                pos_ += pos_ + 1 == s_.size() ? 1 : 2;
                continue;
            }
            if (run.empty()) {
                ++pos_;  // a tag follows
            }
            break;
        }
        if (IsTabOrLineFeed(c)) {
            break;  // read next, as a tag of its own
        }
        run += c;
        ++pos_;
    }
    return run;
}

MarkupTag MarkupReader::ReadTag() {
    MarkupTag tag;
    std::string name = ReadName(true);
    if (!name.empty() && name[0] == '/') {
        tag.closing = true;
        name.erase(0, 1);
    }
    tag.kind = Recognise(name);
    if (TakesValue(tag, name.empty() ? '\0' : name[0])) {
        tag.value = ReadValue();
    }
    if (tag.kind == MarkupTagKind::Icon || tag.kind == MarkupTagKind::NamedImage) {
        ReadAttributes(tag, 2);
    } else if (tag.kind == MarkupTagKind::Bitmap) {
        ReadAttributes(tag, 3);
    }
    SkipRest();
    return tag;
}

std::string MarkupReader::ReadName(bool tagName) {
    while (pos_ < s_.size() && s_[pos_] == ' ') {
        ++pos_;
    }
    std::string name;
    while (pos_ < s_.size()) {
        const char c = s_[pos_];
        if (c == ' ') {
            ++pos_;
            break;
        }
        if (c == '=' || c == '>') {
            break;
        }
        if (tagName && name.empty() && IsTabOrLineFeed(c)) {
            name += c;  // left in place for the rest skip to consume
            break;
        }
        if (c != '\r' && !IsTabOrLineFeed(c)) {
            name += c;
        }
        ++pos_;
    }
    return name;
}

std::string MarkupReader::ReadValue() {
    // Every "=" is skipped; the value starts after the first one and ends
    // at a space (consumed) or ">" (not consumed). Any other character
    // before an "=" means there is no value; it stays in place.
    bool started = false;
    std::string value;
    while (pos_ < s_.size()) {
        const char c = s_[pos_];
        if (c == '>') {
            break;
        }
        if (c == ' ') {
            ++pos_;
            if (started) {
                break;
            }
            continue;
        }
        if (c == '=') {
            started = true;
        } else if (c != '\r' && !IsTabOrLineFeed(c)) {
            if (!started) {
                break;
            }
            value += c;
        }
        ++pos_;
    }
    return value;
}

void MarkupReader::ReadAttributes(MarkupTag& tag, int count) {
    for (int i = 0; i < count; ++i) {
        const std::string name = ReadName(false);
        std::string* target = nullptr;
        if (SameMarkupName(name, "cx")) {
            target = &tag.cx;
        } else if (SameMarkupName(name, "cy")) {
            target = &tag.cy;
        } else if (tag.kind == MarkupTagKind::Bitmap && SameMarkupName(name, "mask")) {
            target = &tag.mask;
            tag.maskGiven = true;
        }
        // An unknown name leaves its "=" in place: every later name then
        // reads as empty, and the attributes behind it are lost.
        if (target != nullptr) {
            *target = ReadValue();
        }
    }
}

void MarkupReader::SkipRest() {
    while (pos_ < s_.size()) {
        const char c = s_[pos_++];
        if (c == '>' || IsTabOrLineFeed(c)) {
            break;
        }
    }
}

bool SameMarkupName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::uint32_t ParseMarkupNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < text.size() && text[i] == '0') {
        base = 8;
        if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            base = 16;
            i += 2;
        }
    }
    std::uint64_t value = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        const int c = std::tolower(static_cast<unsigned char>(text[i]));
        const unsigned digit = std::isdigit(c)   ? static_cast<unsigned>(c - '0')
                               : std::isalpha(c) ? static_cast<unsigned>(c - 'a' + 10)
                                                 : base;
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
        if (value > 0xFFFFFFFFu) {
            overflow = true;
            value = 0xFFFFFFFFu;
        }
    }
    if (overflow) {
        return 0xFFFFFFFFu;
    }
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - result) : result;
}

}  // namespace velmora
