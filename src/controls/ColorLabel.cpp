#include "controls/ColorLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <optional>

namespace velmora {

namespace {

// Characters below the first right-to-left block are laid out strictly left
// to right, so a text's unchanged start keeps its glyphs in place.
bool LaidOutLeftToRight(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x0590; });
}

}  // namespace

ColorLabel::ColorLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    ForgetFontMeasures();
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    QPalette pal = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, Qt::black);
    }
    setPalette(pal);
}

void ColorLabel::ChangeText(const QString& text) {
    const QString before = this->text();
    if (text == before) {
        return;
    }
    if (!updatesEnabled() || !isVisible()) {
        setText(text);
        return;
    }
    const QRect changed = AreaChangedBy(before, text);
    // setText repaints the whole label; its own repaint is held back and
    // only the changed part is repainted.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(text);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    update(changed);
}

void ColorLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        ForgetFontMeasures();
    }
    QLabel::changeEvent(event);
}

QRect ColorLabel::AreaChangedBy(const QString& before, const QString& after) const {
    const QRect whole = contentsRect();
    const bool placesKept = (alignment() & Qt::AlignHorizontal_Mask) == Qt::AlignLeft &&
                            layoutDirection() == Qt::LeftToRight && !wordWrap() &&
                            textFormat() == Qt::PlainText && margin() == 0 && indent() <= 0 &&
                            frameWidth() == 0 && LaidOutLeftToRight(before) &&
                            LaidOutLeftToRight(after);
    qsizetype same = 0;
    while (same < before.size() && same < after.size() && before[same] == after[same]) {
        ++same;
    }
    // Two characters ahead of the first change, its glyph may still change:
    // the pair before it is kerned anew, and a combining mark changes the
    // glyph it follows.
    const qsizetype kept = same - 2;
    if (!placesKept || kept <= 0) {
        return whole;
    }
    // The start measured last time serves while the text still begins with
    // it: a clock's seconds change ten times before its minutes do.
    if (measuredStart_.isEmpty() || measuredStart_.size() > kept ||
        !after.startsWith(measuredStart_)) {
        measuredStart_ = after.left(kept);
        measuredWidth_ = QFontMetricsF(font()).horizontalAdvance(measuredStart_);
    }
    const qsizetype cut = measuredStart_.size();
    // Room for the kerning of the pair across the cut, for glyphs reaching
    // past their advance, and for rounding: a quarter of the font's height
    // on the left, a whole height past the end.
    if (room_ < 0) {
        room_ = std::max<qreal>(2, QFontMetricsF(font()).height() / 4);
    }
    const qreal room = room_;
    const qreal rest = std::max(SumOfAdvances(QStringView(before).mid(cut)),
                                SumOfAdvances(QStringView(after).mid(cut)));
    const int left = whole.left() + static_cast<int>(std::floor(measuredWidth_ - room));
    const int right = whole.left() + static_cast<int>(std::ceil(measuredWidth_ + rest + 4 * room));
    return QRect(QPoint(left, whole.top()), QPoint(right, whole.bottom())) & whole;
}

void ColorLabel::ForgetFontMeasures() {
    measuredStart_.clear();
    room_ = -1;
    advances_.fill(-1);
}

qreal ColorLabel::SumOfAdvances(QStringView text) const {
    // Character by character, without the shaper: off from the shaped width
    // by the kerning of its pairs at most. The advances of the characters
    // below 128 are kept, as a clock shows the same few again and again.
    std::optional<QFontMetricsF> metrics;
    auto measure = [this, &metrics](QChar c) {
        if (!metrics) {
            metrics.emplace(font());
        }
        return metrics->horizontalAdvance(c);
    };
    qreal sum = 0;
    for (QChar c : text) {
        if (c.unicode() >= advances_.size()) {
            sum += measure(c);
            continue;
        }
        qreal& known = advances_[c.unicode()];
        if (known < 0) {
            known = measure(c);
        }
        sum += known;
    }
    return sum;
}

}  // namespace velmora
