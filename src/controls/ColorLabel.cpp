#include "controls/ColorLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Characters below the first right-to-left block are laid out strictly left
// to right, so a text's unchanged start keeps its glyphs in place.
bool LaidOutLeftToRight(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x0590; });
}

// The advance of the text's characters one by one, without the shaper: off
// from the shaped width by the kerning of its pairs at most.
qreal SumOfAdvances(const QFontMetricsF& metrics, QStringView text) {
    qreal sum = 0;
    for (QChar c : text) {
        sum += metrics.horizontalAdvance(c);
    }
    return sum;
}

}  // namespace

ColorLabel::ColorLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
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
        measuredStart_.clear();
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
    const QFontMetricsF metrics(font());
    // The start measured last time serves while the text still begins with
    // it: a clock's seconds change ten times before its minutes do.
    if (measuredStart_.isEmpty() || measuredStart_.size() > kept ||
        !after.startsWith(measuredStart_)) {
        measuredStart_ = after.left(kept);
        measuredWidth_ = metrics.horizontalAdvance(measuredStart_);
    }
    const qsizetype cut = measuredStart_.size();
    // Room for the kerning of the pair across the cut, for glyphs reaching
    // past their advance, and for rounding: a quarter of the font's height
    // on the left, a whole height past the end.
    const qreal room = std::max<qreal>(2, metrics.height() / 4);
    const qreal rest = std::max(SumOfAdvances(metrics, QStringView(before).mid(cut)),
                                SumOfAdvances(metrics, QStringView(after).mid(cut)));
    const int left = whole.left() + static_cast<int>(std::floor(measuredWidth_ - room));
    const int right = whole.left() + static_cast<int>(std::ceil(measuredWidth_ + rest + 4 * room));
    return QRect(QPoint(left, whole.top()), QPoint(right, whole.bottom())) & whole;
}

}  // namespace velmora
