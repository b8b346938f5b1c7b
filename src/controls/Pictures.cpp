#include "controls/Pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QPoint>

// The resources live in a static library, whose automatic registration the
// linker may drop; registering them by hand before the first lookup keeps
// them reachable. Must stand outside any namespace.
static void RegisterVelmoraResources() {
    Q_INIT_RESOURCE(velmora);
}

namespace velmora {

namespace {

// The hand cursor points with its index finger's tip.
constexpr int kHandCursorId = 144;
const QPoint kHandHotSpot(5, 0);

// Pixmaps must go before the application object does, so the cache is
// emptied when it ends rather than at process exit.
QHash<QString, QPixmap>& Cache() {
    static QHash<QString, QPixmap> cache;
    static const bool prepared = [] {
        RegisterVelmoraResources();
        qAddPostRoutine([] { Cache().clear(); });
        return true;
    }();
    (void)prepared;
    return cache;
}

const QPixmap& Cached(const QString& path) {
    QHash<QString, QPixmap>& cache = Cache();
    auto it = cache.constFind(path);
    if (it == cache.constEnd()) {
        it = cache.insert(path, QPixmap(path));
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
    const QPixmap& picture = Cached(QStringLiteral(":/cursors/%1.png").arg(cursorId));
    if (picture.isNull()) {
        return false;
    }
    const QPoint hotSpot = cursorId == kHandCursorId ? kHandHotSpot : QPoint(0, 0);
    cursor = QCursor(picture, hotSpot.x(), hotSpot.y());
    return true;
}

}  // namespace velmora
