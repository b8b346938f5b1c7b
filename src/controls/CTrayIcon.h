#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <memory>

#include "controls/MenuTable.h"

class QSystemTrayIcon;

namespace velmora {

// One icon in the desktop's notification area. Releasing the right mouse
// button over it opens the first drop-down of its menu at the pointer, with
// the menu's first item as the bold default; a left double-click sends that
// default command. Commands reach the target as posted commands, so the
// target may delete this object while handling one. Deleting the object
// removes the icon.
class CTrayIcon : public QObject {
    Q_OBJECT
public:
    // The mouse notifications the icon acts on; everything else is Other.
    enum class Notify { RightButtonUp, LeftDoubleClick, Other };

    // Commands go to `send` for as long as `target` exists.
    CTrayIcon(QObject* target, CommandSink send, MenuLoader loadMenu);
    ~CTrayIcon() override;

    // Adds the icon with its hover text (at most 63 characters); `id` is both
    // the icon's id and the id of its menu resource. True when the icon is
    // shown; false for an icon with no picture.
    bool Create(const QString& tip, const QIcon& icon, int id);

    // Acts on a mouse notification for the icon `id`: 0 when the icon is
    // another one or its menu is missing, else 1.
    int OnIconNotify(int id, Notify what);

    bool IconShown() const { return iconShown_; }
    QString Tip() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QObject> target_;
    CommandSink send_;
    MenuLoader loadMenu_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    int id_ = 0;
    bool iconShown_ = false;
    // The first item of the menu, by position, is the default one.
    const int defaultMenuItem_ = 0;
};

}  // namespace velmora
