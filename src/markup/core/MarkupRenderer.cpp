#include "markup/core/MarkupRenderer.h"

#include <algorithm>
#include <optional>

#include "markup/core/MarkupReader.h"

namespace velmora {

namespace {

// Positions and sizes are kept within this many pixels, so that counts and
// widths of any size written in a tag never overflow the arithmetic.
constexpr std::int64_t kMaxExtent = std::int64_t{1} << 24;
// A requested picture size is at most this many pixels each way.
constexpr std::uint32_t kMaxPicture = 1024;

enum class Align { Left, Centre, Right };

std::int64_t Clamp(std::int64_t v) {
    return std::clamp(v, -kMaxExtent, kMaxExtent);
}

// a × b / c rounded to the nearest integer, halves away from zero.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
    const std::int64_t p = a * b;
    return Clamp((p >= 0 ? p + c / 2 : p - c / 2) / c);
}

std::int64_t Number(const std::string& value, std::int64_t absent) {
    return value.empty() ? absent : std::min<std::int64_t>(ParseMarkupNumber(value), kMaxExtent);
}

// "br" and "t" counts: absent is 1, and 0 counts as 1.
std::int64_t Count(const std::string& value) {
    return std::max<std::int64_t>(Number(value, 1), 1);
}

int PictureSide(const std::string& value) {
    return static_cast<int>(std::min(ParseMarkupNumber(value), kMaxPicture));
}

struct Picture {
    bool icon = true;
    int id = 0;
    int cx = 0;
    int cy = 0;
    std::optional<ColourRef> mask;
};

class MarkupPass {
public:
    MarkupPass(MarkupCanvas& canvas, const MarkupSettings& settings, MarkupLines& lines,
               MarkupRect area, bool measuring)
        : canvas_(canvas), settings_(settings), lines_(lines), area_(area), measuring_(measuring) {}

    MarkupResult Run(std::string_view markup);

private:
    bool HasLine() const { return line_ < std::min(lines_.widths.size(), lines_.heights.size()); }
    std::int64_t RecordedHeight() const { return lines_.heights[line_]; }
    void Tag(const MarkupTag& tag);
    void SetFont(MarkupFont font);
    void StartItem();
    void Text(const std::string& run);
    void Break(std::int64_t count);
    void Tab(std::int64_t count);
    void Rule(const std::string& value);
    void Image(const MarkupTag& tag);
    std::optional<Picture> PictureOf(const MarkupTag& tag) const;
    MarkupSize Measure(const Picture& picture);

    MarkupCanvas& canvas_;
    const MarkupSettings& settings_;
    MarkupLines& lines_;
    const MarkupRect area_;
    const bool measuring_;
    MarkupFont font_;
    std::int64_t baseHeight_ = 0;
    std::int64_t averageWidth_ = 0;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
    std::size_t line_ = 0;
    std::int64_t lineHeight_ = 0;
    bool lineStart_ = true;
    std::int64_t largest_ = 0;
    Align align_ = Align::Left;
    std::vector<std::int64_t> percentSums_;
};

MarkupResult MarkupPass::Run(std::string_view markup) {
    if (measuring_) {
        lines_.widths.clear();
        lines_.heights.clear();
    }
    if (markup.empty()) {
        return {};
    }
    if (!measuring_ && lines_.heights.empty()) {
        return {{}, 0, false};
    }
    SetFont(settings_.font);
    const MarkupTextMetrics metrics = canvas_.TextMetrics();
    baseHeight_ = Clamp(metrics.height);
    averageWidth_ = Clamp(metrics.averageWidth);
    x_ = area_.left;
    y_ = area_.top;
    lineHeight_ = measuring_ ? baseHeight_ : RecordedHeight();
    percentSums_.assign(1, 0);

    bool ok = true;
    MarkupReader reader(markup);
    MarkupToken token;
    while (reader.Next(token)) {
        if (!measuring_ && !HasLine()) {
            ok = false;
            break;
        }
        token.isText ? Text(token.text) : Tag(token.tag);
    }
    // The end of the string closes the last line. A string that ends inside
    // an unclosed tag is no exception: both passes then close the same
    // number of lines, so every line the drawing pass draws is recorded.
    ok = ok && (measuring_ || HasLine());
    if (ok) {
        Break(1);
    }
    if (measuring_) {
        for (std::size_t i = 0; i < lines_.widths.size(); ++i) {
            if (percentSums_[i] != 0) {
                lines_.widths[i] = static_cast<int>(
                    Clamp(lines_.widths[i] + MulDiv(percentSums_[i], largest_, 100)));
            }
        }
    }
    const auto width = static_cast<int>(measuring_ ? largest_ : 0);
    return {{width, static_cast<int>(Clamp(y_ - area_.top))}, static_cast<int>(line_), ok};
}

void MarkupPass::SetFont(MarkupFont font) {
    font_ = font;
    canvas_.SelectFont(font_);
}

void MarkupPass::Tag(const MarkupTag& tag) {
    const MarkupColourTable& colours = settings_.colours;
    MarkupFont font = font_;
    switch (tag.kind) {
        case MarkupTagKind::Bold:
            font.weight =
                tag.closing ? settings_.font.weight : std::min(2 * settings_.font.weight, 900);
            return SetFont(font);
        case MarkupTagKind::Italic:
            font.italic = !tag.closing;
            return SetFont(font);
        case MarkupTagKind::Underline:
            font.underline = !tag.closing;
            return SetFont(font);
        case MarkupTagKind::StrikeOut:
            font.strikeOut = !tag.closing;
            return SetFont(font);
        case MarkupTagKind::Break:
            return Break(Count(tag.value));
        case MarkupTagKind::Tab:
            return Tab(Count(tag.value));
        case MarkupTagKind::TextColour:
            return canvas_.SetTextColour(tag.value.empty() ? colours[SlotTextColour]
                                                           : ParseMarkupNumber(tag.value));
        case MarkupTagKind::BackColour:
            canvas_.SetBackColour(tag.value.empty() ? colours[SlotBackgroundBegin]
                                                    : ParseMarkupNumber(tag.value));
            return canvas_.SetBackOpaque(!tag.closing);
        case MarkupTagKind::TextColourIndex:
        case MarkupTagKind::BackColourIndex: {
            const bool text = tag.kind == MarkupTagKind::TextColourIndex;
            const std::uint32_t absent = text ? SlotTextColour : SlotBackgroundBegin;
            const std::uint32_t slot = tag.value.empty() ? absent : ParseMarkupNumber(tag.value);
            if (slot >= colours.size()) {
                return;
            }
            if (text) {
                return canvas_.SetTextColour(colours[slot]);
            }
            canvas_.SetBackColour(colours[slot]);
            return canvas_.SetBackOpaque(!tag.closing);
        }
        case MarkupTagKind::AlignLeft:
            align_ = Align::Left;
            return;
        case MarkupTagKind::AlignCentre:
        case MarkupTagKind::AlignRight:
            // Measured widths must not depend on alignment.
            if (!measuring_) {
                align_ = tag.kind == MarkupTagKind::AlignCentre ? Align::Centre : Align::Right;
            }
            return;
        case MarkupTagKind::Rule:
            return Rule(tag.value);
        case MarkupTagKind::NamedImage:
        case MarkupTagKind::ListImage:
        case MarkupTagKind::Icon:
        case MarkupTagKind::Bitmap:
            return Image(tag);
        case MarkupTagKind::Unknown:
            return;
    }
}

// The first text run or image of a line places the line by its alignment.
void MarkupPass::StartItem() {
    if (!measuring_ && lineStart_ && align_ != Align::Left) {
        const std::int64_t width = lines_.widths[line_];
        const std::int64_t room = area_.right - area_.left;
        if (align_ == Align::Right) {
            x_ = area_.right - width;
        } else {
            // A centred line wider than the area starts at its left edge.
            x_ = area_.left + std::max<std::int64_t>(room - width, 0) / 2;
        }
    }
    lineStart_ = false;
}

void MarkupPass::Text(const std::string& run) {
    StartItem();
    const MarkupSize size = canvas_.MeasureText(run);
    if (measuring_) {
        lineHeight_ = std::max<std::int64_t>(lineHeight_, size.height);
    } else {
        canvas_.DrawText(static_cast<int>(x_),
                         static_cast<int>(Clamp(y_ + RecordedHeight() - baseHeight_)), run);
    }
    x_ = Clamp(x_ + size.width);
}

void MarkupPass::Break(std::int64_t count) {
    if (measuring_) {
        const std::int64_t width = x_ - area_.left;
        largest_ = std::max(largest_, width);
        lines_.widths.push_back(static_cast<int>(width));
        lines_.heights.push_back(static_cast<int>(lineHeight_));
    }
    y_ = Clamp(y_ + count * RecordedHeight());
    ++line_;
    percentSums_.push_back(0);
    x_ = area_.left;
    lineStart_ = true;
    lineHeight_ = baseHeight_;
}

void MarkupPass::Tab(std::int64_t count) {
    const std::int64_t stop = std::min(4 * averageWidth_, kMaxExtent);
    if (stop <= 0) {
        return;
    }
    std::int64_t offset = x_ - area_.left;
    if (offset % stop != 0) {
        const std::int64_t below = offset >= 0 ? offset / stop : -((-offset + stop - 1) / stop);
        offset = (below + 1) * stop;
        --count;
    }
    x_ = Clamp(area_.left + offset + count * stop);
}

void MarkupPass::Rule(const std::string& value) {
    const bool percent = !value.empty() && value.back() == '%';
    std::int64_t width = Number(value, 100);
    if (percent && measuring_) {
        percentSums_[line_] = Clamp(percentSums_[line_] + width);
        return;
    }
    if (percent) {
        width = MulDiv(area_.right - area_.left, width, 100);
    }
    if (!measuring_ && width > 0) {
        canvas_.DrawLine(static_cast<int>(x_), static_cast<int>(Clamp(y_ + RecordedHeight() / 2)),
                         static_cast<int>(width), canvas_.TextColour());
    }
    x_ = Clamp(x_ + width);
}

std::optional<Picture> MarkupPass::PictureOf(const MarkupTag& tag) const {
    Picture picture{true, 0, PictureSide(tag.cx), PictureSide(tag.cy), std::nullopt};
    if (tag.kind != MarkupTagKind::NamedImage) {
        picture.icon = tag.kind == MarkupTagKind::Icon;
        picture.id = static_cast<int>(ParseMarkupNumber(tag.value) & 0xFFFF);
        if (tag.maskGiven) {
            picture.mask = tag.mask.empty() ? 0xFF00FF : ParseMarkupNumber(tag.mask);
        }
        return picture;
    }
    const auto& named = settings_.namedImages;
    const auto found = std::find_if(named.begin(), named.end(), [&](const NamedImage& image) {
        return SameMarkupName(image.name, tag.value);
    });
    if (found == named.end() || found->id == 0 || found->kind > NamedImageKind::MaskedBitmap) {
        return std::nullopt;
    }
    picture.icon = found->kind == NamedImageKind::Icon;
    picture.id = found->id;
    if (found->kind == NamedImageKind::MaskedBitmap) {
        picture.mask = found->mask;
    }
    return picture;
}

MarkupSize MarkupPass::Measure(const Picture& picture) {
    if (picture.id == 0) {
        return {};
    }
    if (picture.icon) {
        return canvas_.IconSize(picture.id, picture.cx, picture.cy);
    }
    const MarkupSize own = canvas_.BitmapSize(picture.id);
    if (own == MarkupSize{}) {
        return {};
    }
    return {picture.cx != 0 ? picture.cx : own.width, picture.cy != 0 ? picture.cy : own.height};
}

void MarkupPass::Image(const MarkupTag& tag) {
    StartItem();
    MarkupSize size;
    const int x = static_cast<int>(x_);
    if (tag.kind == MarkupTagKind::ListImage) {
        const std::uint32_t index = ParseMarkupNumber(tag.value);
        if (index < static_cast<std::uint32_t>(std::max(canvas_.ImageCount(), 0))) {
            size = canvas_.ImageSize();
            if (!measuring_) {
                canvas_.DrawImage(static_cast<int>(index), x, static_cast<int>(y_));
            }
        }
    } else if (const std::optional<Picture> picture = PictureOf(tag)) {
        size = Measure(*picture);
        if (!measuring_ && size != MarkupSize{}) {
            const auto top = static_cast<int>(Clamp(y_ + RecordedHeight() - size.height));
            picture->icon ? canvas_.DrawIcon(picture->id, x, top, size)
                          : canvas_.DrawBitmap(picture->id, x, top, size, picture->mask);
        }
    }
    if (measuring_) {
        lineHeight_ = std::max<std::int64_t>(lineHeight_, size.height);
    }
    x_ = Clamp(x_ + size.width);
}

}  // namespace

MarkupResult RenderMarkup(MarkupCanvas& canvas, const MarkupSettings& settings, MarkupLines& lines,
                          MarkupRect area, std::string_view markup, bool measuring) {
    return MarkupPass(canvas, settings, lines, area, measuring).Run(markup);
}

}  // namespace velmora
