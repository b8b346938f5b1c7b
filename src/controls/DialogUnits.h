#pragma once

#include <QRect>

namespace velmora {

// A rectangle given in dialog units, in pixels: one dialog unit is about
// 1.5 pixels across and 1.625 pixels down at 96 dpi.
inline QRect Dlu(int x, int y, int w, int h) {
    auto px = [](int v) { return static_cast<int>(v * 1.5 + 0.5); };
    auto py = [](int v) { return static_cast<int>(v * 1.625 + 0.5); };
    return QRect(px(x), py(y), px(w), py(h));
}

}  // namespace velmora
