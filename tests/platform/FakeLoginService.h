#pragma once

#include <QDBusVirtualObject>
#include <QSet>
#include <QString>

#include <utility>

namespace velmora {

// How the fake login manager and session managers answer.
struct FakeBehaviour {
    QString canPowerOff = QStringLiteral("yes");
    QString canReboot = QStringLiteral("yes");
    QSet<QString> failing;                    // methods answered with an access-denied error
    QSet<QString> hanging;                    // methods never answered
    bool hangAll = false;                     // no method is ever answered
    QString sessionId = QStringLiteral("7");  // empty: the caller has no session
};

// Answers every method call that reaches the paths it is registered on, as
// the login manager (and the desktop session managers) would, after writing
// "interface.Method(arg,arg)" as one line to the call log.
class FakeLoginService : public QDBusVirtualObject {
public:
    static constexpr char kSessionPath[] = "/org/freedesktop/login1/session/current";

    FakeLoginService(const FakeBehaviour& behaviour, QString logPath)
        : behaviour_(behaviour), logPath_(std::move(logPath)) {}

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void Record(const QDBusMessage& message) const;
    QDBusMessage Answer(const QDBusMessage& message) const;

    const FakeBehaviour& behaviour_;
    QString logPath_;
};

}  // namespace velmora
