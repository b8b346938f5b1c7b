#pragma once

#include <QTest>

#include <filesystem>
#include <memory>

#include "fakes/TempDir.h"
#include "support/Subprocess.h"

namespace velmora::test {

// A message bus daemon of the test's own, with no service files (nothing is
// started on demand), where anyone may own any name. Its address is empty
// when it did not start.
struct Bus {
    static std::string Config(const TempDir& dir) {
        WriteFile(dir.File("bus.conf"),
                  "<busconfig><listen>unix:path=" + dir.File("bus") +
                      "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                      "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                      "<allow own=\"*\"/></policy></busconfig>");
        return "--config-file=" + dir.File("bus.conf");
    }
    TempDir dir;
    Subprocess daemon{{"dbus-daemon", Config(dir), "--nofork"}};
    QString address = Eventually([this] { return std::filesystem::exists(dir.File("bus")); })
                          ? QString::fromStdString("unix:path=" + dir.File("bus"))
                          : QString();
};

// Two buses standing in for the system and the session bus, and optionally the
// fake login service on them (FakeLogind.cpp). This process's bus addresses
// point at them from now on, and are never empty, even when a daemon did not
// start: empty means the machine's real bus.
struct BusSandbox {
    BusSandbox() {
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", NeverEmpty(system.address));
        qputenv("DBUS_SESSION_BUS_ADDRESS", NeverEmpty(session.address));
    }
    static QByteArray NeverEmpty(const QString& address) {
        return address.isEmpty() ? "unix:path=/nonexistent/velmora-test-bus" : address.toUtf8();
    }
    bool BusesRun() const { return !system.address.isEmpty() && !session.address.isEmpty(); }
    // True once the fake owns its names on the buses this process points at.
    bool StartFake(const QStringList& options = {}) {
        std::vector<std::string> argv = {VELMORA_FAKE_LOGIND, "--log", Log()};
        for (const QString& option : options) {
            argv.push_back(option.toStdString());
        }
        fake = std::make_unique<Subprocess>(argv);
        return Eventually([this] { return std::filesystem::exists(Log() + ".ready"); });
    }
    // The calls the fake received, "Method(arg,arg)" for the login manager's
    // and "interface.Method(arg,arg)" for others, separated by spaces.
    QString Calls() const {
        return QString::fromStdString(ReadFile(Log()))
            .remove("org.freedesktop.login1.Manager.")
            .replace(u'\n', u' ')
            .trimmed();
    }
    std::string Log() const { return system.dir.File("calls.log"); }

    Bus system, session;
    std::unique_ptr<Subprocess> fake;  // declared last: stops before the buses
};

}  // namespace velmora::test

// Inside a Qt Test function: a sandbox named `box` with the fake login service
// started with the given options, or a failed test.
#define START_FAKE(box, ...)                                                     \
    velmora::test::BusSandbox box;                                               \
    QVERIFY2(box.BusesRun(), "dbus-daemon did not start (Debian package dbus)"); \
    QVERIFY2(box.StartFake(__VA_ARGS__), "the fake login service did not start")
