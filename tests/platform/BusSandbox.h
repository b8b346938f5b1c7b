#pragma once

#include <QProcess>
#include <QTest>

#include <sys/prctl.h>

#include <csignal>
#include <cstdio>

#include "fakes/TempDir.h"

namespace velmora::test {

// A process of the test that dies with it, even when the test crashes.
struct Child : QProcess {
    ~Child() override {
        kill();
        waitForFinished();
    }
    // Starts it and returns the first line it prints, empty when none.
    QByteArray Start(const QString& program, const QStringList& arguments) {
        setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        start(program, arguments);
        while (waitForReadyRead(5000)) {
            if (canReadLine()) {
                return readLine().trimmed();
            }
        }
        return {};
    }
};

// A message bus daemon of the test's own. It has no service files, so nothing
// is ever started on demand, and anyone may own any name.
struct Bus {
    Bus() {
        WriteFile(dir.File("bus.conf"),
                  "<busconfig><listen>unix:dir=" + dir.Path() +
                      "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                      "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                      "<allow own=\"*\"/></policy></busconfig>");
        address =
            daemon.Start("dbus-daemon", {"--config-file=" + QString(dir.File("bus.conf").c_str()),
                                         "--nofork", "--print-address"});
    }
    TempDir dir;
    Child daemon;
    QString address;
};

// Two buses standing in for the system and the session bus, and optionally the
// fake login service on them (see FakeLogind.cpp). This process's bus
// addresses point at them from now on, and are never empty, not even when a
// daemon did not start: empty means the machine's real bus.
class BusSandbox {
public:
    BusSandbox() {
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", NeverEmpty(system_.address));
        qputenv("DBUS_SESSION_BUS_ADDRESS", NeverEmpty(session_.address));
    }
    bool BusesRun() const { return !system_.address.isEmpty() && !session_.address.isEmpty(); }
    // True once the fake owns its names.
    bool StartFake(const QStringList& options = {}) {
        return fake_.Start(VELMORA_FAKE_LOGIND,
                           QStringList{"--system", system_.address, "--session", session_.address,
                                       "--log", QString::fromStdString(Log())} +
                               options) == "ready";
    }
    // The calls the fake received, "Method(arg,arg)" for the login manager's
    // and "interface.Method(arg,arg)" for others, separated by spaces.
    QString Calls() const {
        return QString::fromStdString(ReadFile(Log()))
            .remove("org.freedesktop.login1.Manager.")
            .replace(u'\n', u' ')
            .trimmed();
    }
    void ClearCalls() { std::remove(Log().c_str()); }

private:
    static QByteArray NeverEmpty(const QString& address) {
        return address.isEmpty() ? "unix:path=/nonexistent/velmora-test-bus" : address.toUtf8();
    }
    std::string Log() const { return system_.dir.File("calls.log"); }

    Bus system_;
    Bus session_;
    Child fake_;  // declared last: stops before the buses
};

}  // namespace velmora::test

// Inside a Qt Test function: a sandbox named `box` with the fake login service
// started with the given options, or a failed test.
#define START_FAKE(box, ...)                                                     \
    velmora::test::BusSandbox box;                                               \
    QVERIFY2(box.BusesRun(), "dbus-daemon did not start (Debian package dbus)"); \
    QVERIFY2(box.StartFake(__VA_ARGS__), "the fake login service did not start")
