#pragma once

#include <QIcon>

namespace velmora {

// The application icon (icon group 37): the program's picture when the
// resources carry it, otherwise a plain drawn clock, so the window and the
// notification area never show an empty icon.
QIcon ApplicationIcon();

}  // namespace velmora
