#include "platform/linux/FreedesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace velmora {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDisableAction = QStringLiteral("disable");

// The longest wait for the session bus to be reached.
constexpr int kConnectBudgetMs = 250;
// "urgency" hint: critical.
constexpr uchar kUrgencyCritical = 2;
// An expiry of 0: the notice stays until it is closed.
constexpr int kNeverExpires = 0;

QDBusMessage NotificationsCall(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

}  // namespace

FreedesktopNotifier::FreedesktopNotifier() : bus_(BusLink::Bus::Session) {}

FreedesktopNotifier::~FreedesktopNotifier() {
    SendClose();
}

void FreedesktopNotifier::SetOnDisable(std::function<void()> onDisable) {
    onDisable_ = std::move(onDisable);
}

void FreedesktopNotifier::Show(const std::string& title, const std::string& body) {
    wanted_ = Notice{QString::fromStdString(title), QString::fromStdString(body)};
    Sync();
}

void FreedesktopNotifier::Close() {
    wanted_.reset();
    Sync();
}

void FreedesktopNotifier::Sync() {
    if (waiting_) {
        return;  // the answer brings its id, then this runs again
    }
    if (!wanted_) {
        SendClose();
        sent_.reset();
        return;
    }
    if (wanted_ == sent_) {
        return;
    }
    sent_ = wanted_;
    const QString name = Connection();
    if (name.isEmpty()) {
        return;  // no bus: nothing shows, and the same notice is not tried again
    }
    QDBusMessage call = NotificationsCall(QStringLiteral("Notify"));
    call << QStringLiteral("Velmora") << id_ << QStringLiteral("velmora") << sent_->first
         << sent_->second << QStringList{kDisableAction, QStringLiteral("Disable")}
         << QVariantMap{{QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical)}}
         << kNeverExpires;
    waiting_ = true;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection(name).asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* w) { OnNotified(w); });
}

void FreedesktopNotifier::OnNotified(QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    waiting_ = false;
    const QDBusPendingReply<uint> reply = *watcher;
    // Without an answer nothing shows: the next notice starts afresh.
    id_ = reply.isValid() ? reply.value() : 0;
    Sync();
}

void FreedesktopNotifier::SendClose() {
    if (id_ == 0 || followed_.isEmpty()) {
        return;
    }
    QDBusMessage call = NotificationsCall(QStringLiteral("CloseNotification"));
    call << id_;
    call.setAutoStartService(false);
    QDBusConnection(followed_).send(call);  // no answer is awaited
    id_ = 0;
}

QString FreedesktopNotifier::Connection() {
    const QString name = bus_.Connect(BusDeadline(kConnectBudgetMs));
    if (!name.isEmpty() && name != followed_) {
        // A notice's id is the old connection's: it cannot be replaced there.
        id_ = 0;
        followed_ = name;
        QDBusConnection(name).connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"),
                                      this, SLOT(OnActionInvoked(uint, QString)));
    }
    return name;
}

void FreedesktopNotifier::OnActionInvoked(uint id, const QString& action) {
    if (id != 0 && id == id_ && action == kDisableAction && onDisable_) {
        onDisable_();
    }
}

}  // namespace velmora
