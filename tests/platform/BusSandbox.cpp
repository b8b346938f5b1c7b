#include "platform/BusSandbox.h"

namespace velmora {

namespace {

// An empty or missing address would let the code under test fall back to the
// machine's real buses; tests point there instead.
QByteArray NeverTheRealBus(const QByteArray& address) {
    return address.isEmpty() ? QByteArrayLiteral("unix:path=/nonexistent/velmora-test-bus")
                             : address;
}

}  // namespace

BusSandbox::BusSandbox()
    : savedSystem_(NeverTheRealBus(qgetenv("DBUS_SYSTEM_BUS_ADDRESS"))),
      savedSession_(NeverTheRealBus(qgetenv("DBUS_SESSION_BUS_ADDRESS"))) {
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", NeverTheRealBus(system_.Address().toUtf8()));
    qputenv("DBUS_SESSION_BUS_ADDRESS", NeverTheRealBus(session_.Address().toUtf8()));
}

BusSandbox::~BusSandbox() {
    fake_.reset();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", savedSystem_);
    qputenv("DBUS_SESSION_BUS_ADDRESS", savedSession_);
}

QString BusSandbox::Problem() const {
    return !system_.IsRunning() ? system_.Problem() : session_.Problem();
}

QString BusSandbox::StartFake(const QStringList& options) {
    fake_ = std::make_unique<FakeLogindProcess>(system_.Address(), session_.Address(), options);
    return fake_->IsReady() ? QString() : fake_->Problem();
}

QStringList BusSandbox::Calls() const {
    return fake_ ? fake_->Calls() : QStringList();
}

void BusSandbox::ClearCalls() {
    if (fake_) {
        fake_->ClearCalls();
    }
}

}  // namespace velmora
