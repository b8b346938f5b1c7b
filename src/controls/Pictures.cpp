#include "controls/Pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QPoint>

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

const QPixmap& Cached(const QString& path) {
    QHash<QString, QPixmap>& pixmaps = TheStore().pixmaps;
    auto it = pixmaps.constFind(path);
    if (it == pixmaps.constEnd()) {
        it = pixmaps.insert(path, QPixmap(path));
    }
    return *it;
}

}  // namespace

QPixmap IconPicture(int iconId) {
    return Cached(QStringLiteral(":/icons/%1.png").arg(iconId));
}

QPixmap SkinPicture(int bitmapId) {
    return Cached(QStringLiteral(":/bitmaps/%1.png").arg(bitmapId));
}

bool LoadCursorPicture(int cursorId, QCursor& cursor) {
    QHash<int, QCursor>& cursors = TheStore().cursors;
    auto it = cursors.constFind(cursorId);
    if (it == cursors.constEnd()) {
        const QPixmap& picture = Cached(QStringLiteral(":/cursors/%1.png").arg(cursorId));
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
