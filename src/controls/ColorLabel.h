#pragma once

#include <QLabel>

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
};

}  // namespace velmora
