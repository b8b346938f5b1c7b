#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace velmora {

// The fake login manager (and session managers), run in its own process so
// that a blocking call of the code under test never waits on its own thread.
class FakeLogindProcess {
public:
    // Starts it on the two buses with the fake's own options (see
    // FakeLogindMain.cpp) and waits until it owns its names.
    FakeLogindProcess(const QString& systemAddress, const QString& sessionAddress,
                      const QStringList& options);
    ~FakeLogindProcess();
    FakeLogindProcess(const FakeLogindProcess&) = delete;
    FakeLogindProcess& operator=(const FakeLogindProcess&) = delete;

    bool IsReady() const { return ready_; }
    QString Problem() const { return problem_; }
    // Every call received so far, as "interface.Method(arg,arg)".
    QStringList Calls() const;
    // Forgets the calls received so far.
    void ClearCalls();

private:
    QTemporaryDir dir_;
    QProcess process_;
    bool ready_ = false;
    QString problem_;
};

}  // namespace velmora
