#pragma once

#include <QObject>
#include <QPixmap>

class QPainter;
class QRect;
class QWidget;

namespace velmora {

// Paints a picture as a window's background, unscaled at the top-left
// corner of its contents rectangle (below a menu bar), before the window paints anything else.
// Without the picture the window keeps its plain background. The labels and buttons on the window
// are transparent, so the picture shows around and through them.
class SkinBackground : public QObject {
    Q_OBJECT
public:
    // Gives the window the skin picture with the given bitmap id; the
    // background object belongs to the window.
    static SkinBackground* Attach(QWidget* window, int bitmapId);

    // Paints the part of its parent's skin that lies under the child
    // widget's rectangle (in the child's coordinates); nothing when the
    // parent has no skin.
    static void PaintUnder(const QWidget* child, QPainter& painter, const QRect& rect);

    // The window's background when what the window paints under the child is
    // its picture alone: the child lies on a top-level window wholly inside
    // an opaque picture, with no widget below it in the stacking order
    // overlapping it. Such a child may paint the picture under itself
    // (PaintUnderChild) in place of the window. Null otherwise.
    static SkinBackground* AloneUnder(const QWidget* child);

    // Paints the part of the picture under the child's rectangle.
    void PaintUnderChild(const QWidget* child, QPainter& painter, const QRect& rect) const;

    const QPixmap& Picture() const { return picture_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SkinBackground(QWidget* window, QPixmap picture);
    static SkinBackground* Of(const QWidget* window);

    QPixmap picture_;
};

}  // namespace velmora
