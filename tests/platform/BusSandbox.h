#pragma once

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/prctl.h>

#include <csignal>

namespace velmora::test {

const QString kManager = QStringLiteral("org.freedesktop.login1.Manager.");  // the fake's calls

// A child process of the test that dies with the test, even when it crashes,
// and is stopped (asked, then forced) when the object goes.
class Child {
public:
    ~Child() {
        process_.terminate();
        if (!process_.waitForFinished(2000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    // Starts the program and returns the first line it prints, empty when none.
    QByteArray Start(const QString& program, const QStringList& arguments,
                     QProcess::ProcessChannelMode errors = QProcess::ForwardedErrorChannel) {
        process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        process_.setProcessChannelMode(errors);
        process_.start(program, arguments);
        while (process_.waitForReadyRead(5000)) {
            if (process_.canReadLine()) {
                return process_.readLine().trimmed();
            }
        }
        return {};
    }

private:
    QProcess process_;
};

// Two message bus daemons of the test's own standing in for the system bus and
// the session bus, and optionally the fake login service on them. While the
// sandbox lives, this process's bus addresses point at them. An address is
// never left empty, not even when a daemon did not start or when the old
// value is put back: empty means the machine's real bus.
class BusSandbox {
public:
    BusSandbox() {
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", NeverEmpty(system_.address));
        qputenv("DBUS_SESSION_BUS_ADDRESS", NeverEmpty(session_.address));
    }
    ~BusSandbox() {
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", savedSystem_);
        qputenv("DBUS_SESSION_BUS_ADDRESS", savedSession_);
    }

    bool BusesRun() const { return !system_.address.isEmpty() && !session_.address.isEmpty(); }
    // Starts the fake with its own options (see FakeLogind.cpp); true once it
    // owns its names.
    bool StartFake(const QStringList& options = {}) {
        return fake_.Start(QStringLiteral(VELMORA_FAKE_LOGIND),
                           QStringList{"--system", system_.address, "--session", session_.address,
                                       "--log", Log()} +
                               options) == "ready";
    }
    // The calls the fake received, as "interface.Method(arg,arg)".
    QStringList Calls() const {
        QFile log(Log());
        return log.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts)
                   : QStringList();
    }
    void ClearCalls() { QFile::remove(Log()); }

private:
    // No service files, so nothing is ever started on demand; anyone may own any name.
    struct Bus {
        Bus() {
            const QString config = dir.filePath("bus.conf");
            QFile file(config);
            if (file.open(QIODevice::WriteOnly)) {
                file.write(
                    QStringLiteral("<busconfig><listen>unix:dir=%1</listen>"
                                   "<auth>EXTERNAL</auth><policy context=\"default\">"
                                   "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                                   "<allow own=\"*\"/>"
                                   "</policy></busconfig>")
                        .arg(dir.path())
                        .toUtf8());
                file.close();
                address = daemon.Start(QStandardPaths::findExecutable("dbus-daemon"),
                                       {"--config-file=" + config, "--nofork", "--print-address"},
                                       QProcess::SeparateChannels);  // quiet about fd limits
            }
        }
        QTemporaryDir dir;
        Child daemon;
        QString address;
    };

    static QByteArray NeverEmpty(const QString& address) {
        return address.isEmpty() ? QByteArray("unix:path=/nonexistent/velmora-test-bus")
                                 : address.toUtf8();
    }
    QString Log() const { return system_.dir.filePath("calls.log"); }

    QByteArray savedSystem_ = NeverEmpty(qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS"));
    QByteArray savedSession_ = NeverEmpty(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"));
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
