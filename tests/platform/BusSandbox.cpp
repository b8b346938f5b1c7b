#include "platform/BusSandbox.h"

namespace velmora {

BusSandbox::BusSandbox()
    : savedSystem_(qgetenv("DBUS_SYSTEM_BUS_ADDRESS")),
      savedSession_(qgetenv("DBUS_SESSION_BUS_ADDRESS")) {
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", system_.Address().toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", session_.Address().toUtf8());
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
