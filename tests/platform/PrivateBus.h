#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace velmora {

// A message bus daemon of the test's own, listening in a temporary directory.
// Its configuration starts no services and lets every client own any name.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool IsRunning() const { return !address_.isEmpty(); }
    // The address clients connect to; empty when the daemon did not start.
    QString Address() const { return address_; }
    // Why the daemon did not start.
    QString Problem() const { return problem_; }

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString address_;
    QString problem_;
};

}  // namespace velmora
