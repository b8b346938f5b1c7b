#pragma once

// A child process the test starts itself (fork/exec, optionally in another
// directory with extra environment). It dies with the test, even when the
// test crashes, and is killed and reaped when the object goes. Tests only
// ever signal such children.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace velmora::test {

class Subprocess {
public:
    using Env = std::vector<std::pair<std::string, std::string>>;

    explicit Subprocess(std::vector<std::string> argv, const std::string& workDir = {},
                        const Env& env = {}) {
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent || (!workDir.empty() && ::chdir(workDir.c_str()) != 0)) {
                ::_exit(126);
            }
            for (const auto& [name, value] : env) {
                ::setenv(name.c_str(), value.c_str(), 1);
            }
            std::vector<char*> args;
            for (std::string& a : argv) {
                args.push_back(a.data());
            }
            args.push_back(nullptr);
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
    }
    Subprocess(const Subprocess&) = delete;
    Subprocess& operator=(const Subprocess&) = delete;
    ~Subprocess() {
        if (Running()) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status_, 0);
        }
    }

    int Status() const { return status_; }  // as waitpid gave it, once ended
    pid_t Pid() const { return pid_; }

    // Polls until the child ends or the timeout passes; true when it ended.
    bool WaitFor(std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (Running() && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return !Running();
    }

private:
    bool Running() {
        if (pid_ > 0 && !ended_ && ::waitpid(pid_, &status_, WNOHANG) == pid_) {
            ended_ = true;
        }
        return pid_ > 0 && !ended_;
    }

    pid_t pid_ = -1;
    int status_ = 0;
    bool ended_ = false;
};

// Asks `condition` every millisecond for up to five seconds; its last answer.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 5000 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

}  // namespace velmora::test
