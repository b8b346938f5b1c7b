#include "controls/CTrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QSystemTrayIcon>

namespace velmora {

namespace {

// The widget that carries the icon inside an XEmbed tray. It reports a right
// button press as a context-menu request; the icon's menu opens on the
// release instead, so the press is filtered out.
bool IsXEmbedIconWidget(const QObject* object) {
    return object->objectName() == QLatin1String("QSystemTrayIconSys");
}

// Commands are posted, as a menu posts its choice, and dropped when the
// target is gone by then.
void PostCommand(const QPointer<QObject>& target, const CommandSink& send, int commandId) {
    if (target) {
        QMetaObject::invokeMethod(
            target, [send, commandId] { send(commandId); }, Qt::QueuedConnection);
    }
}

}  // namespace

CTrayIcon::CTrayIcon(QObject* target, CommandSink send, MenuLoader loadMenu)
    : target_(target), send_(std::move(send)), loadMenu_(loadMenu) {}

CTrayIcon::~CTrayIcon() {
    if (iconShown_) {
        tray_->hide();
        iconShown_ = false;
    }
    if (qApp) {
        qApp->removeEventFilter(this);
    }
}

bool CTrayIcon::Create(const QString& tip, const QIcon& icon, int id) {
    if (icon.isNull()) {
        return false;
    }
    id_ = id;
    tray_ = std::make_unique<QSystemTrayIcon>(icon);
    tray_->setToolTip(tip.left(63));
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A desktop that hosts the icon itself asks for the menu
                // when the button is released.
                OnIconNotify(id_, reason == QSystemTrayIcon::Context       ? Notify::RightButtonUp
                                  : reason == QSystemTrayIcon::DoubleClick ? Notify::LeftDoubleClick
                                                                           : Notify::Other);
            });
    qApp->installEventFilter(this);
    tray_->show();
    iconShown_ = tray_->isVisible();
    return iconShown_;
}

QString CTrayIcon::Tip() const {
    return tray_ ? tray_->toolTip() : QString();
}

int CTrayIcon::OnIconNotify(int id, Notify what) {
    if (id != id_) {
        return 0;
    }
    if (what == Notify::Other) {
        return 1;  // single clicks, other buttons and moves do nothing
    }
    const MenuSpec* menu = loadMenu_ ? loadMenu_(id_) : nullptr;
    if (menu == nullptr || menu->popups.empty()) {
        return 0;
    }
    const MenuPopupSpec& popup = menu->popups.front();
    if (what == Notify::LeftDoubleClick) {
        if (static_cast<std::size_t>(defaultMenuItem_) < popup.items.size()) {
            PostCommand(target_, send_, popup.items[defaultMenuItem_].id);
        }
        return 1;
    }
    // The menu lives until it closes, also when this object goes first; a
    // chosen item posts its command, and dismissing the menu sends nothing.
    auto* shown = new QMenu;
    shown->setObjectName(QStringLiteral("menu%1").arg(id_));
    FillMenu(*shown, popup.items, [target = target_, send = send_](int commandId) {
        PostCommand(target, send, commandId);
    });
    if (defaultMenuItem_ < shown->actions().size()) {
        shown->setDefaultAction(shown->actions().at(defaultMenuItem_));
    }
    connect(shown, &QMenu::aboutToHide, shown, &QObject::deleteLater);
    shown->popup(QCursor::pos());
    return 1;
}

bool CTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) ||
        !IsXEmbedIconWidget(watched) ||
        static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) {
        return false;
    }
    if (type == QEvent::MouseButtonRelease) {
        OnIconNotify(id_, Notify::RightButtonUp);
    }
    return true;
}

}  // namespace velmora
