#include "controls/BakedPicture.h"

#include <cstdint>
#include <cstring>

namespace velmora {

namespace {

constexpr char kMagic[4] = {'V', 'P', 'X', '1'};
constexpr qint64 kHeaderSize = 16;
// Large enough for any picture of the program, small enough that the
// size below cannot overflow.
constexpr std::uint32_t kLargestSide = 1 << 14;

struct Header {
    char magic[4];
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format;
};
static_assert(sizeof(Header) == kHeaderSize);

}  // namespace

QByteArray BakePicture(const QImage& picture) {
    const QImage pixels = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.width = static_cast<std::uint32_t>(pixels.width());
    header.height = static_cast<std::uint32_t>(pixels.height());
    header.format = static_cast<std::uint32_t>(pixels.format());
    const qsizetype row = static_cast<qsizetype>(pixels.width()) * 4;
    QByteArray baked(reinterpret_cast<const char*>(&header), sizeof header);
    for (int y = 0; y < pixels.height(); ++y) {
        baked.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), row);
    }
    return baked;
}

QImage BakedPicture(const uchar* data, qint64 size) {
    Header header{};
    if (data == nullptr || size < kHeaderSize) {
        return {};
    }
    std::memcpy(&header, data, sizeof header);
    const bool knownFormat = header.format == QImage::Format_RGB32 ||
                             header.format == QImage::Format_ARGB32_Premultiplied;
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || !knownFormat ||
        header.width == 0 || header.height == 0 || header.width > kLargestSide ||
        header.height > kLargestSide ||
        size != kHeaderSize + qint64(header.width) * header.height * 4) {
        return {};
    }
    const int width = static_cast<int>(header.width);
    const int height = static_cast<int>(header.height);
    const auto format = static_cast<QImage::Format>(header.format);
    const uchar* pixels = data + kHeaderSize;
    if (reinterpret_cast<quintptr>(pixels) % alignof(std::uint32_t) == 0) {
        return QImage(pixels, width, height, qsizetype(width) * 4, format);
    }
    // Pixels a picture may not address in place are copied row by row.
    QImage copy(width, height, format);
    if (copy.isNull()) {
        return {};
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(copy.scanLine(y), pixels + qsizetype(y) * width * 4, qsizetype(width) * 4);
    }
    return copy;
}

}  // namespace velmora
