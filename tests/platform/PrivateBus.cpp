#include "platform/PrivateBus.h"

#include <QFile>
#include <QStandardPaths>

#include "platform/ChildProcess.h"

namespace velmora {

namespace {

constexpr char kConfig[] =
    R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

}  // namespace

PrivateBus::PrivateBus() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (program.isEmpty()) {
        problem_ = QStringLiteral("dbus-daemon not found (Debian package dbus)");
        return;
    }
    const QString configPath = dir_.filePath(QStringLiteral("bus.conf"));
    QFile config(configPath);
    if (!dir_.isValid() || !config.open(QIODevice::WriteOnly)) {
        problem_ = QStringLiteral("cannot write the bus configuration");
        return;
    }
    config.write(QString::fromLatin1(kConfig).arg(dir_.path()).toUtf8());
    config.close();

    DieWithParent(daemon_);
    daemon_.setProcessChannelMode(QProcess::SeparateChannels);
    daemon_.start(program, {QStringLiteral("--config-file=") + configPath,
                            QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    while (daemon_.waitForReadyRead(5000)) {
        if (daemon_.canReadLine()) {
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
            return;
        }
    }
    problem_ = QStringLiteral("dbus-daemon did not start: ") +
               QString::fromUtf8(daemon_.readAllStandardError());
}

PrivateBus::~PrivateBus() {
    StopChild(daemon_);
}

}  // namespace velmora
