#pragma once

#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <functional>

#include "controls/core/ButtonGeometry.h"

namespace velmora {

// The owner-drawn push button of the skinned windows: a face in the system
// button colour, a black frame while it is focused or the dialog's default
// button, a raised or pressed edge, a small icon left of the caption, the
// caption centred in the space that remains (engraved when disabled) and a
// focus rectangle; icon and caption move one pixel down and right while
// pressed. It stays a QPushButton, so screen readers read its caption and
// state. It can show a hand cursor and drop a menu below itself.
class SkinButton : public QPushButton {
    Q_OBJECT
public:
    // Sends a command id chosen from the drop menu to the menu's owner.
    using CommandSink = std::function<void(int commandId)>;
    // Runs the drop menu at a screen position and answers the chosen item
    // (null when dismissed); tests replace the modal menu loop with it.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& screenPos)>;

    explicit SkinButton(const QString& caption = QString(), QWidget* parent = nullptr);

    // Set-up: 0 for success, 1 when the picture is missing (the button then
    // does without it).
    int SetIconResource(int iconId);
    int SetIcon(const QPixmap& icon);
    int SetHandCursor(int cursorId, bool repaint = true);
    // The menu stays its parent's; a chosen item's data() is the command id
    // that is posted to the owner, after the menu has closed.
    int SetDropMenu(QMenu* menu, QObject* owner, CommandSink sink, bool repaint = true);
    int SetDrawBorder(bool drawBorder, bool repaint = true);

    void SetMenuRunner(MenuRunner runner) { menuRunner_ = std::move(runner); }
    QMenu* DropMenu() const { return menu_; }
    const QPixmap& Icon() const { return icon_; }
    bool DrawsBorder() const { return drawBorder_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

    // The drawing steps, in the order they run. DrawBackground may shrink
    // the item rectangle (inside the black frame).
    virtual void DrawBackground(QPainter& painter, QRect& item);
    virtual void DrawBorder(QPainter& painter, const QRect& item);
    virtual void DrawIcon(QPainter& painter, bool hasCaption, const QRect& item, QRect& caption);
    virtual void DrawCaption(QPainter& painter, const QString& text, QRect caption);

    // The control's state as refreshed at the start of every paint.
    bool pressed_ = false;
    bool focused_ = false;
    bool disabled_ = false;
    bool drawBorder_ = true;

private:
    void OnClicked();
    void MoveFocusOn();

    QPixmap icon_;
    QPointer<QMenu> menu_;
    QPointer<QObject> menuOwner_;
    CommandSink sink_;
    MenuRunner menuRunner_;
    bool menuOpen_ = false;
};

}  // namespace velmora
