#include "controls/ColorLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "controls/SkinBackground.h"

namespace velmora {

namespace {

// Characters below the first right-to-left block are laid out strictly left
// to right, so a text's unchanged start keeps its glyphs in place.
bool LaidOutLeftToRight(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x0590; });
}

// Two characters below 128 side by side.
quint16 PairKey(QChar first, QChar second) {
    return static_cast<quint16>(first.unicode() << 8 | second.unicode());
}

// Every pair of a clock's figures, separators and space, side by side.
QString FigurePairs() {
    static const QString pairs = [] {
        const QString figures = QStringLiteral("0123456789: ");
        QString all;
        for (QChar first : figures) {
            for (QChar second : figures) {
                all += first;
                all += second;
            }
        }
        return all;
    }();
    return pairs;
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
    // Over the picture alone, the label repaints the picture under it itself:
    // the window's own paint, with its painter and background, is skipped.
    if (!underLooked_) {
        underLooked_ = true;
        pictureUnder_ = SkinBackground::AloneUnder(this);
        setAttribute(Qt::WA_OpaquePaintEvent, !pictureUnder_.isNull());
    }
    update(changed);
}

void ColorLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        ForgetFontMeasures();
    } else if (event->type() == QEvent::ParentChange) {
        LookUnderAgain();
    }
    QLabel::changeEvent(event);
}

void ColorLabel::moveEvent(QMoveEvent* event) {
    LookUnderAgain();
    QLabel::moveEvent(event);
}

void ColorLabel::resizeEvent(QResizeEvent* event) {
    LookUnderAgain();
    QLabel::resizeEvent(event);
}

// Put elsewhere, the label no longer knows what lies under it: the window
// paints under it again until its next change looks.
void ColorLabel::LookUnderAgain() {
    underLooked_ = false;
    pictureUnder_.clear();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ColorLabel::paintEvent(QPaintEvent* event) {
    // Opaque exactly while the picture under the label is known.
    const bool opaque = !pictureUnder_.isNull();
    QString shown = text();
    const bool plain = ShowsPlainLine(shown);
    if (!opaque && !plain) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    if (opaque) {
        pictureUnder_->PaintUnderChild(this, painter, event->rect());
    }
    if (!plain) {
        painter.end();
        QLabel::paintEvent(event);
        return;
    }
    // The style draws the text as QLabel has it drawn (the label has no frame
    // to draw). A repaint of the end draws only the text's end, from the
    // place the whole text gives its first glyph: glyph by glyph where the
    // font's pairs allow, else through the style.
    if (const qsizetype from = DrawnFrom(shown, event->rect().left()); from > 0) {
        if (DrawGlyphs(painter, QStringView(shown).mid(from))) {
            return;
        }
        painter.translate(drawnX_, 0);
        shown.remove(0, from);
    }
    style()->drawItemText(
        &painter, rect(),
        QStyle::visualAlignment(Qt::LeftToRight, alignment()) | Qt::TextForceLeftToRight, palette(),
        isEnabled(), shown, foregroundRole());
}

bool ColorLabel::LaysOutFromLeftEdge() const {
    return (alignment() & Qt::AlignHorizontal_Mask) == Qt::AlignLeft &&
           layoutDirection() == Qt::LeftToRight && !wordWrap() && textFormat() == Qt::PlainText &&
           margin() == 0 && indent() <= 0 && frameWidth() == 0;
}

bool ColorLabel::ShowsPlainLine(const QString& shown) const {
    return !shown.isEmpty() && LaysOutFromLeftEdge() && contentsRect() == rect() &&
           buddy() == nullptr && !testAttribute(Qt::WA_StyleSheet) &&
           (textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard)) ==
               0 &&
           std::all_of(shown.cbegin(), shown.cend(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
}

qsizetype ColorLabel::DrawnFrom(const QString& shown, int left) const {
    if (measuredStart_.isEmpty() || !shown.startsWith(measuredStart_) || !AsciiInFont()) {
        return 0;
    }
    // Back from the unchanged start measured for the last change, until no
    // glyph before can reach a font height past the first one drawn, nor
    // that into the repaint.
    const qreal height = LineHeight();
    qsizetype from = measuredStart_.size();
    for (qreal back = 0; from > 0 && back < 2 * height;) {
        --from;
        back += SumOfAdvances(QStringView(shown).mid(from, 1));
    }
    if (from == 0) {
        return 0;
    }
    // The place is the whole text's, measured again only when the text
    // before or at the first drawn character changes.
    if (QStringView(shown).left(from + 1) != drawnKey_) {
        drawnKey_ = shown.left(from + 1);
        drawnX_ = QFontMetricsF(font()).horizontalAdvance(shown, static_cast<int>(from));
    }
    return drawnX_ + height <= left ? from : 0;
}

QRect ColorLabel::AreaChangedBy(const QString& before, const QString& after) const {
    const QRect whole = contentsRect();
    const bool placesKept =
        LaysOutFromLeftEdge() && LaidOutLeftToRight(before) && LaidOutLeftToRight(after);
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
    // it and it is at most two characters shorter than all that is
    // unchanged: a clock's seconds change ten times before their tens do,
    // and once the tens have changed, the start measured then serves the
    // seconds too. One shorter still (the text once changed further ahead)
    // would widen every later repaint, and one longer would miss the change.
    const qsizetype measured = measuredStart_.size();
    if (measured == 0 || measured > kept || measured + 2 < kept ||
        !after.startsWith(measuredStart_)) {
        measuredStart_ = after.left(kept);
        measuredWidth_ = QFontMetricsF(font()).horizontalAdvance(measuredStart_);
    }
    const qsizetype cut = measuredStart_.size();
    // Room for the kerning of the pair across the cut, for glyphs reaching
    // past their advance, and for rounding: a quarter of the font's height
    // on the left, a whole height past the end.
    if (room_ < 0) {
        room_ = std::max<qreal>(2, LineHeight() / 4);
    }
    const qreal room = room_;
    const qreal rest = std::max(SumOfAdvances(QStringView(before).mid(cut)),
                                SumOfAdvances(QStringView(after).mid(cut)));
    const int left = whole.left() + static_cast<int>(std::floor(measuredWidth_ - room));
    const int right = whole.left() + static_cast<int>(std::ceil(measuredWidth_ + rest + 4 * room));
    return QRect(QPoint(left, whole.top()), QPoint(right, whole.bottom())) & whole;
}

bool ColorLabel::DrawGlyphs(QPainter& painter, QStringView end) const {
    const QFont& shownFont = font();
    if (end.size() < 2 || !isEnabled() || shownFont.underline() || shownFont.overline() ||
        shownFont.strikeOut()) {
        return false;
    }
    // Pairs not met before are learned from the whole end at once, and those
    // of a clock's figures all at the first.
    if (pairs_.empty()) {
        LearnPairs(FigurePairs());
    }
    for (qsizetype i = 0; i + 1 < end.size(); ++i) {
        if (!pairs_.contains(PairKey(end[i], end[i + 1]))) {
            LearnPairs(end.toString());
            break;
        }
    }
    QList<quint32> glyphs(end.size());
    QList<QPointF> places(end.size());
    qreal x = drawnX_;
    for (qsizetype i = 0; i + 1 < end.size(); ++i) {
        const Pair& pair = PairOf(end[i], end[i + 1]);
        if (!pair.plain) {
            return false;
        }
        glyphs[i] = pair.first;
        glyphs[i + 1] = pair.second;
        places[i].setX(x);
        x += pair.step;
    }
    places.back().setX(x);
    // The baseline where the style puts a line centred in the label, its
    // top in the 64ths of a pixel that glyph places are kept in.
    const qreal top = (height() - (ascent_ + descent_)) / 2;
    const qreal baseline = std::trunc(top * 64) / 64 + ascent_;
    for (QPointF& place : places) {
        place.setY(baseline);
    }
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(places);
    painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
    painter.drawGlyphRun(QPointF(0, 0), run);
    return true;
}

const ColorLabel::Pair& ColorLabel::PairOf(QChar first, QChar second) const {
    const quint16 key = PairKey(first, second);
    auto known = pairs_.find(key);
    if (known == pairs_.end()) {
        const QChar both[] = {first, second};
        LearnPairs(QString(both, 2));
        known = pairs_.try_emplace(key).first;  // not plain where not learned
    }
    return known->second;
}

void ColorLabel::LearnPairs(const QString& run) const {
    QTextLayout layout(run, font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (!line.isValid() || runs.size() != 1 || runs[0].glyphIndexes().size() != run.size()) {
        return;  // a ligature, or glyphs of more than one font
    }
    const QGlyphRun& glyphRun = runs[0];
    if (ascent_ < 0) {
        rawFont_ = glyphRun.rawFont();
        ascent_ = line.ascent();
        descent_ = line.descent();
    }
    if (glyphRun.rawFont() != rawFont_) {
        return;
    }
    const QList<quint32> glyphs = glyphRun.glyphIndexes();
    const QList<QPointF> places = glyphRun.positions();
    for (qsizetype i = 0; i + 1 < run.size(); ++i) {
        if (places[i].y() == places[i + 1].y()) {
            pairs_.try_emplace(
                PairKey(run[i], run[i + 1]),
                Pair{true, glyphs[i], glyphs[i + 1], places[i + 1].x() - places[i].x()});
        }
    }
}

void ColorLabel::ForgetFontMeasures() {
    measuredStart_.clear();
    drawnKey_.clear();
    pairs_.clear();
    rawFont_ = QRawFont();
    ascent_ = -1;
    room_ = -1;
    lineHeight_ = -1;
    asciiInFont_ = -1;
    advances_.fill(-1);
}

qreal ColorLabel::LineHeight() const {
    if (lineHeight_ < 0) {
        lineHeight_ = QFontMetricsF(font()).height();
    }
    return lineHeight_;
}

// A glyph taken from another font can change the line's height, and with it
// where every glyph sits.
bool ColorLabel::AsciiInFont() const {
    if (asciiInFont_ < 0) {
        const QFontMetricsF metrics(font());
        asciiInFont_ = 1;
        for (char16_t c = 0x20; c < 0x7f; ++c) {
            asciiInFont_ &= metrics.inFont(QChar(c)) ? 1 : 0;
        }
    }
    return asciiInFont_ == 1;
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
