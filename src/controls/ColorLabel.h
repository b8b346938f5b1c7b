#pragma once

#include <QLabel>
#include <QPointer>
#include <QRawFont>
#include <array>
#include <unordered_map>

namespace velmora {

class SkinBackground;

// The static text of the skinned windows: black text straight over the
// window's picture, with no background of its own. It stays a QLabel, so
// screen readers read its text. Being transparent, a new text is painted
// over the picture repainted under the whole label, so a shorter text leaves
// nothing of a longer one; the same text again repaints nothing. Where only
// the window's picture lies under it, a changed label paints that part of the
// picture itself, so the window is not asked to paint for it.
class ColorLabel : public QLabel {
    Q_OBJECT
public:
    explicit ColorLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // Takes a new text like setText, but repaints only the part of the label
    // that the new text changes. A clock's text changes in its last figures,
    // so a tick repaints, and sends to the display, a few glyphs rather than
    // the whole label.
    void ChangeText(const QString& text);

    // The part of the label whose pixels can differ between showing `before`
    // and showing `after`: from a little ahead of the first changed
    // character to past the end of the longer text. The whole label where
    // the unchanged start of the text may not keep its place (any alignment
    // but left, a right-to-left script, an indent or a margin).
    QRect AreaChangedBy(const QString& before, const QString& after) const;

protected:
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Drops what was measured with the font: on a new font, and at the start.
    void ForgetFontMeasures();
    void LookUnderAgain();
    qreal SumOfAdvances(QStringView text) const;
    qreal LineHeight() const;
    bool AsciiInFont() const;
    // Whether the label lays its plain text out on one line from its left
    // edge, so the glyphs of an unchanged start keep their places.
    bool LaysOutFromLeftEdge() const;
    // Whether the label shows `shown`, one line of printable ASCII, plain,
    // from its left edge, drawn by the style as QLabel draws it: a text whose
    // every glyph keeps its place when only its end changes.
    bool ShowsPlainLine(const QString& shown) const;
    // Where a repaint that starts at `left` may start drawing the text: the
    // first character whose glyph or any later one can reach that far, and
    // its glyph's place as the whole text lays it out. Zero where the whole
    // text is to be drawn.
    qsizetype DrawnFrom(const QString& shown, int left) const;
    // Draws `end`, the text's end from its first drawn character, glyph by
    // glyph: each next glyph as far from the last as the shaper puts it
    // after that neighbour, which is where it puts it in the whole text. No
    // shaping, once the font's pairs are known. False, having drawn nothing,
    // where a pair shapes into other glyphs than its own two, or where the
    // text is drawn with more than its glyphs.
    bool DrawGlyphs(QPainter& painter, QStringView end) const;

    // Two printable ASCII characters side by side as the shaper lays them
    // out: the first's glyph, the second's, and how far apart they sit.
    struct Pair {
        bool plain = false;  // two glyphs, from the font itself, on one baseline
        quint32 first = 0;
        quint32 second = 0;
        qreal step = 0;
    };
    const Pair& PairOf(QChar first, QChar second) const;
    // Lays out a run of printable ASCII and learns the pairs side by side in
    // it, where each character has a glyph of its own.
    void LearnPairs(const QString& run) const;

    // The width of the unchanged start last measured: it changes far less
    // often than the text, so most ticks measure nothing with the shaper.
    mutable QString measuredStart_;
    mutable qreal measuredWidth_ = 0;
    // Measures of the font, taken when first needed and dropped when the
    // font changes: the room left around a change, and the advances of the
    // characters below 128 (negative until measured).
    mutable qreal room_ = -1;
    mutable qreal lineHeight_ = -1;
    mutable int asciiInFont_ = -1;  // whether the font has every printable ASCII glyph
    mutable std::array<qreal, 128> advances_{};
    // The start of the text up to and including the first character drawn by
    // the last repaint of its end, and that character's place.
    mutable QString drawnKey_;
    mutable qreal drawnX_ = 0;
    // The pairs laid out so far (at most 95 by 95), the font they come from
    // and the height of its line.
    mutable std::unordered_map<quint16, Pair> pairs_;
    mutable QRawFont rawFont_;
    mutable qreal ascent_ = -1;
    mutable qreal descent_ = 0;
    // Looked at once in each place the label is put: the window's picture
    // when nothing else lies under the label, which it then paints itself.
    bool underLooked_ = false;
    QPointer<SkinBackground> pictureUnder_;
};

}  // namespace velmora
