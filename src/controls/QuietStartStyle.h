#pragma once

#include <QProxyStyle>

namespace velmora {

// The application's own style, passed through whole, except that the menu
// bar's overflow arrow is read from the style only when it is first drawn.
// Reading it means reading a picture file, and the first picture file read
// loads every image format the system has: a menu bar built with this style
// costs the start of the program none of that (the arrow shows only when
// the menus do not fit).
class QuietStartStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Over `base` (owned), or over the application's default style.
    explicit QuietStartStyle(QStyle* base = nullptr);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // The style that draws: this one's base, or the style itself.
    static const QStyle* Drawing(const QStyle* style);
};

}  // namespace velmora
