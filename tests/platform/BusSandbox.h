#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

#include "platform/FakeLogindProcess.h"
#include "platform/PrivateBus.h"

namespace velmora {

// Two private buses standing in for the system bus and the session bus. While
// the sandbox lives, DBUS_SYSTEM_BUS_ADDRESS and DBUS_SESSION_BUS_ADDRESS of
// this process point at them (or nowhere, when a bus did not start); its end
// stops its children and puts the previous values back, again never leaving
// an address empty, which would mean the machine's real bus.
class BusSandbox {
public:
    BusSandbox();
    ~BusSandbox();
    BusSandbox(const BusSandbox&) = delete;
    BusSandbox& operator=(const BusSandbox&) = delete;

    // Empty when both buses run; otherwise why not.
    QString Problem() const;
    // Starts the fake service with the fake's own options; empty when it
    // came up, otherwise why not.
    QString StartFake(const QStringList& options = {});
    // The calls the fake received; empty without a fake.
    QStringList Calls() const;
    void ClearCalls();

private:
    QByteArray savedSystem_;
    QByteArray savedSession_;
    PrivateBus system_;
    PrivateBus session_;
    std::unique_ptr<FakeLogindProcess> fake_;
};

}  // namespace velmora

// Inside a Qt Test function: a sandbox named `box` with the fake login
// service started with the given options; the test fails when either cannot
// be had.
#define START_FAKE(box, ...)                                      \
    BusSandbox box;                                               \
    QVERIFY2(box.Problem().isEmpty(), qPrintable(box.Problem())); \
    {                                                             \
        const QString problem = box.StartFake(__VA_ARGS__);       \
        QVERIFY2(problem.isEmpty(), qPrintable(problem));         \
    }
