#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QThread>
#include <cerrno>
#include <cstdlib>

#include "app/core/AppPaths.h"

namespace velmora {

namespace {

constexpr char kRequest[] = "show\n";
// How long a later start keeps trying to reach a running instance that holds
// the lock but may not be listening yet.
constexpr int kConnectAttempts = 40;
constexpr int kConnectPauseMs = 50;

}  // namespace

SingleInstance::SingleInstance(std::string dir) {
    if (!dir.empty() && dir.back() != '/') {
        dir += '/';
    }
    const std::string stem = dir + "velmora-" + std::to_string(::getuid());
    lockPath_ = stem + ".lock";
    socketPath_ = stem + ".socket";
}

SingleInstance::~SingleInstance() {
    server_.reset();  // removes the socket
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
}

std::string SingleInstance::DefaultDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &st) == 0 &&
        S_ISDIR(st.st_mode)) {
        return runtime;
    }
    return SettingsDirectory();
}

bool SingleInstance::Claim() {
    lockFd_ =
        ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (lockFd_ < 0) {
        return true;
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            return true;
        }
        AskRunningToComeForward();
        return false;
    }
    // Whoever holds the lock owns the socket; one left by a crash goes.
    QLocalServer::removeServer(QString::fromStdString(socketPath_));
    server_ = std::make_unique<QLocalServer>();
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                     [this] { Serve(); });
    server_->listen(QString::fromStdString(socketPath_));
    return true;
}

void SingleInstance::Serve() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] {
            if (!client->canReadLine()) {
                return;
            }
            if (client->readLine() == kRequest && handler_) {
                handler_();
            }
            client->disconnectFromServer();
        });
    }
}

// The running instance may have taken the lock a moment ago and not listen
// yet, so the request is tried for a while; it is never answered.
void SingleInstance::AskRunningToComeForward() const {
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(QString::fromStdString(socketPath_));
        if (socket.waitForConnected(500)) {
            socket.write(kRequest);
            socket.waitForBytesWritten(1000);
            return;
        }
        QThread::msleep(kConnectPauseMs);
    }
}

}  // namespace velmora
