#pragma once

#include <QProcess>

#include <sys/prctl.h>

#include <csignal>

namespace velmora {

// Makes a child started by a test die with the test, even when the test
// crashes before it can stop the child itself.
inline void DieWithParent(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// Stops a child of the test: asks, then forces.
inline void StopChild(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

}  // namespace velmora
