#include "controls/ColorLabel.h"

namespace velmora {

ColorLabel::ColorLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    QPalette pal = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, Qt::black);
    }
    setPalette(pal);
}

void ColorLabel::SetText(const QString& text) {
    if (text == this->text()) {
        return;
    }
    setText(text);  // repaints the label itself
    if (QWidget* parent = parentWidget()) {
        parent->update(geometry());
    }
}

}  // namespace velmora
