#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/core/AppPaths.h"

namespace velmora {

namespace {

constexpr char kRequest[] = "show\n";
// How long a later start keeps trying to reach a running instance that holds
// the lock but may not be listening yet.
constexpr int kConnectAttempts = 40;
constexpr auto kConnectPause = std::chrono::milliseconds(50);
// The most later starts served at once; more are turned away unheard.
constexpr std::size_t kMostCallers = 16;

// The socket's address; false when the path does not fit in one.
bool SocketAddress(const std::string& path, sockaddr_un& address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

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
    while (!callers_.empty()) {
        Drop(callers_.back().get());
    }
    if (listenFd_ >= 0) {
        listener_.reset();
        ::close(listenFd_);
        ::unlink(socketPath_.c_str());
    }
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
    Listen();
    return true;
}

void SingleInstance::Listen() {
    // Whoever holds the lock owns the socket's name; what a crash left
    // there goes.
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address)) {
        return;
    }
    ::unlink(socketPath_.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    listenFd_ = fd;
    listener_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(listener_.get(), &QSocketNotifier::activated, listener_.get(),
                     [this] { Accept(); });
}

void SingleInstance::Accept() {
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            return;
        }
        if (callers_.size() >= kMostCallers) {
            ::close(fd);
            continue;
        }
        auto caller = std::make_unique<Caller>();
        caller->fd = fd;
        caller->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        Caller* const raw = caller.get();
        QObject::connect(raw->notifier.get(), &QSocketNotifier::activated, raw->notifier.get(),
                         [this, raw] { Read(raw); });
        callers_.push_back(std::move(caller));
    }
}

// A caller sends one line and is done; anything else, or a line too long to
// be the request, is dropped unanswered.
void SingleInstance::Read(Caller* caller) {
    char buf[sizeof kRequest];
    const ssize_t n = ::read(caller->fd, buf, sizeof buf);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        return;
    }
    if (n > 0) {
        caller->received.append(buf, static_cast<std::size_t>(n));
    }
    const bool complete = caller->received.find('\n') != std::string::npos;
    if (n > 0 && !complete && caller->received.size() < sizeof kRequest) {
        return;
    }
    const bool asked = caller->received == kRequest;
    Drop(caller);
    if (asked && handler_) {
        handler_();
    }
}

void SingleInstance::Drop(Caller* caller) {
    const auto it = std::find_if(callers_.begin(), callers_.end(),
                                 [caller](const auto& c) { return c.get() == caller; });
    if (it == callers_.end()) {
        return;
    }
    caller->notifier.reset();
    ::close(caller->fd);
    callers_.erase(it);
}

// The running instance may have taken the lock a moment ago and not listen
// yet, so the request is tried for a while; it is never answered.
void SingleInstance::AskRunningToComeForward() const {
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address)) {
        return;
    }
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            return;
        }
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            // A few bytes into an empty socket buffer: the write does not wait.
            const ssize_t sent = ::send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL);
            ::close(fd);
            if (sent == static_cast<ssize_t>(sizeof kRequest - 1)) {
                return;
            }
        } else {
            ::close(fd);
        }
        std::this_thread::sleep_for(kConnectPause);
    }
}

}  // namespace velmora
