#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

#include "platform/DesktopNotifier.h"
#include "platform/linux/BusLink.h"

class QDBusPendingCallWatcher;

namespace velmora {

// The program's notice through the desktop's notification service on the
// session bus (org.freedesktop.Notifications). Every call is sent without
// waiting for its answer; the id the service gives the notice arrives later
// and is what a changed text replaces and what closing closes. Only the
// connection to the bus is waited for, a quarter of a second at most, and a
// bus or service that is not there changes nothing but that no notice shows.
class FreedesktopNotifier : public QObject, public DesktopNotifier {
    Q_OBJECT
public:
    FreedesktopNotifier();
    ~FreedesktopNotifier() override;

    void Show(const std::string& title, const std::string& body) override;
    void Close() override;
    void SetOnDisable(std::function<void()> onDisable) override;

    // The longest a call's answer is waited for in the background.
    static constexpr int kCallTimeoutMs = 2000;

private Q_SLOTS:
    void OnActionInvoked(uint id, const QString& action);

private:
    using Notice = std::pair<QString, QString>;  // title, body

    // Sends what brings the service in line with the notice wanted, unless
    // an answer is awaited.
    void Sync();
    void OnNotified(QDBusPendingCallWatcher* watcher);
    void SendClose();
    // The connection's name, following ActionInvoked on it; empty without a bus.
    QString Connection();

    BusLink bus_;
    QString followed_;              // the connection whose ActionInvoked is followed
    std::optional<Notice> wanted_;  // none: no notice should show
    std::optional<Notice> sent_;    // the notice last sent
    uint id_ = 0;                   // the service's id of the notice shown; 0 for none
    bool waiting_ = false;          // a Notify call is not answered yet
    std::function<void()> onDisable_;
};

}  // namespace velmora
