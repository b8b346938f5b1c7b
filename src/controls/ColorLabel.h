#pragma once

#include <QLabel>

namespace velmora {

// The static text of the skinned windows: black text straight over the
// window's picture, with no background of its own. It stays a QLabel, so
// screen readers read its text.
class ColorLabel : public QLabel {
    Q_OBJECT
public:
    explicit ColorLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // Changes the text and has the window repaint its picture under the
    // whole label first, so a shorter text leaves nothing of a longer one.
    // The same text again changes nothing and repaints nothing.
    void SetText(const QString& text);
};

}  // namespace velmora
