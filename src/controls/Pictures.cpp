#include "controls/Pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QPoint>
#include <QResource>

#include "controls/BakedPicture.h"

namespace velmora {

namespace {

// The hand cursor points with its index finger's tip.
constexpr int kHandCursorId = 144;
const QPoint kHandHotSpot(5, 0);

// Everything decoded so far. Pixmaps and cursors must go before the
// application object does, so the store is emptied when it ends rather
// than at process exit.
struct Store {
    QHash<QString, QPixmap> pixmaps;
    QHash<int, QCursor> cursors;
};

Store& TheStore() {
    static Store store;
    static const bool prepared = [] {
        qAddPostRoutine([] { TheStore() = Store(); });
        return true;
    }();
    (void)prepared;
    return store;
}

// The picture baked at build time when there is one (mapped from the
// resources as it is, with nothing to decode), else the PNG decoded.
QPixmap Load(const char* folder, int id) {
    const QResource baked(QStringLiteral(":/baked/%1/%2.raw").arg(QLatin1String(folder)).arg(id));
    if (baked.isValid() && baked.compressionAlgorithm() == QResource::NoCompression) {
        const QImage picture = BakedPicture(baked.data(), baked.size());
        if (!picture.isNull()) {
            return QPixmap::fromImage(picture);
        }
    }
    return QPixmap(QStringLiteral(":/%1/%2.png").arg(QLatin1String(folder)).arg(id));
}

const QPixmap& Cached(const char* folder, int id) {
    QHash<QString, QPixmap>& pixmaps = TheStore().pixmaps;
    const QString key = QLatin1String(folder) + QString::number(id);
    auto it = pixmaps.constFind(key);
    if (it == pixmaps.constEnd()) {
        it = pixmaps.insert(key, Load(folder, id));
    }
    return *it;
}

}  // namespace

QPixmap IconPicture(int iconId) {
    return Cached("icons", iconId);
}

QPixmap SkinPicture(int bitmapId) {
    return Cached("bitmaps", bitmapId);
}

bool LoadCursorPicture(int cursorId, QCursor& cursor) {
    QHash<int, QCursor>& cursors = TheStore().cursors;
    auto it = cursors.constFind(cursorId);
    if (it == cursors.constEnd()) {
        const QPixmap& picture = Cached("cursors", cursorId);
        if (picture.isNull()) {
            return false;
        }
        const QPoint hotSpot = cursorId == kHandCursorId ? kHandHotSpot : QPoint(0, 0);
        it = cursors.insert(cursorId, QCursor(picture, hotSpot.x(), hotSpot.y()));
    }
    cursor = *it;
    return true;
}

}  // namespace velmora
