#pragma once

#include <QLabel>
#include <array>

namespace velmora {

// The static text of the skinned windows: black text straight over the
// window's picture, with no background of its own. It stays a QLabel, so
// screen readers read its text. Being transparent, a new text is painted
// over the picture repainted under the whole label, so a shorter text leaves
// nothing of a longer one; the same text again repaints nothing.
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

private:
    // Drops what was measured with the font: on a new font, and at the start.
    void ForgetFontMeasures();
    qreal SumOfAdvances(QStringView text) const;

    // The width of the unchanged start last measured: it changes far less
    // often than the text, so most ticks measure nothing with the shaper.
    mutable QString measuredStart_;
    mutable qreal measuredWidth_ = 0;
    // Measures of the font, taken when first needed and dropped when the
    // font changes: the room left around a change, and the advances of the
    // characters below 128 (negative until measured).
    mutable qreal room_ = -1;
    mutable std::array<qreal, 128> advances_{};
};

}  // namespace velmora
