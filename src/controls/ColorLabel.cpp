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

}  // namespace velmora
