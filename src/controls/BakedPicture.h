#pragma once

#include <QByteArray>
#include <QImage>

namespace velmora {

// A picture in the form it is painted from: a 16-byte header ("VPX1", then
// width, height and QImage format as 32-bit numbers in the machine's order)
// followed by the rows of 32-bit pixels, with no padding. Opaque pictures
// are kept as RGB32 and the others premultiplied, the formats the display's
// pixmaps use, so showing one copies and converts nothing.
QByteArray BakePicture(const QImage& picture);

// The picture over `data` without a copy (the bytes must outlive it and any
// pixmap made from it); a null image when the data is not a whole baked
// picture.
QImage BakedPicture(const uchar* data, qint64 size);

}  // namespace velmora
