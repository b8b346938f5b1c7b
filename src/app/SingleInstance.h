#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

namespace velmora {

// One running program per user. The first start takes a lock on a file and
// listens on a local socket beside it; a later start finds the lock taken,
// asks the running program through the socket to come forward, and ends.
// The lock is the kernel's (flock) and dies with its holder, so the lock file
// and socket a crashed program leaves behind never stop a start.
class SingleInstance {
public:
    // `dir` holds the lock file and the socket, named for the user.
    explicit SingleInstance(std::string dir);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // $XDG_RUNTIME_DIR when it names a directory, else the settings folder.
    static std::string DefaultDirectory();

    // True when no other instance runs: this one then owns the lock and
    // serves later starts until it is destroyed (also when no lock can be
    // had at all, so a start is never refused for that). False when another
    // instance runs; it has been asked to come forward.
    bool Claim();

    // What a later start's request does here; run from the event loop.
    void SetRequestHandler(std::function<void()> handler) { handler_ = std::move(handler); }

private:
    // A later start's connection, until it has sent its line or gone.
    struct Caller {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        std::string received;
    };

    void Listen();
    void AskRunningToComeForward() const;
    void Accept();
    void Read(Caller* caller);
    void Drop(Caller* caller);

    std::string lockPath_;
    std::string socketPath_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    std::unique_ptr<QSocketNotifier> listener_;
    std::vector<std::unique_ptr<Caller>> callers_;
    std::function<void()> handler_;
};

}  // namespace velmora
