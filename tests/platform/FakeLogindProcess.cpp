#include "platform/FakeLogindProcess.h"

#include <QFile>

#include "platform/ChildProcess.h"

namespace velmora {

namespace {

QString LogPath(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("calls.log"));
}

}  // namespace

FakeLogindProcess::FakeLogindProcess(const QString& systemAddress, const QString& sessionAddress,
                                     const QStringList& options) {
    DieWithParent(process_);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(
        QStringLiteral(VELMORA_FAKE_LOGIND),
        QStringList{QStringLiteral("--system"), systemAddress, QStringLiteral("--session"),
                    sessionAddress, QStringLiteral("--log"), LogPath(dir_)} +
            options);
    while (process_.waitForReadyRead(5000)) {
        if (process_.canReadLine()) {
            ready_ = process_.readLine().trimmed() == "ready";
            break;
        }
    }
    if (!ready_) {
        problem_ =
            QStringLiteral("the fake login service did not start: ") + process_.errorString();
    }
}

FakeLogindProcess::~FakeLogindProcess() {
    StopChild(process_);
}

QStringList FakeLogindProcess::Calls() const {
    QFile log(LogPath(dir_));
    if (!log.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void FakeLogindProcess::ClearCalls() {
    QFile::remove(LogPath(dir_));
}

}  // namespace velmora
