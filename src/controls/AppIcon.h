#pragma once

#include <QIcon>

namespace velmora {

// The application icon (icon group 37): the program's picture when the
// resources carry it, otherwise a plain drawn clock, so the window and the
// notification area never show an empty icon. The picture is decoded once
// and shared with every other use of icon 37.
constexpr int kApplicationIconId = 37;
QIcon ApplicationIcon();

}  // namespace velmora
