#pragma once

#include <QCursor>
#include <QPixmap>

namespace velmora {

// The program's pictures, compiled in from resources/velmora.qrc and
// addressed by their resource ids. Each is decoded once, on first use, and
// kept for the life of the process; a missing or unreadable picture is a
// null pixmap, never an error.
QPixmap IconPicture(int iconId);
QPixmap SkinPicture(int bitmapId);

// The cursor picture with its hot spot; false, leaving the cursor alone,
// when the picture is missing.
bool LoadCursorPicture(int cursorId, QCursor& cursor);

}  // namespace velmora
