#pragma once

#include <QRegion>

#include "markup/core/TipGeometry.h"

namespace velmora {

// The window region of a tip: body joined with the anchor triangle.
QRegion TipWindowRegion(const TipShape& shape);

// The band along the inside of `region`, `width` by `height` pixels thick.
QRegion FrameOfRegion(const QRegion& region, int width, int height);

}  // namespace velmora
