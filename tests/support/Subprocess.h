#pragma once

// A child process the test starts itself: started with fork/exec in a chosen
// directory with extra environment variables, and killed and reaped when the
// object goes away. Tests only ever signal such children.
#include <signal.h>
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
    Subprocess(std::vector<std::string> argv, std::string workDir = {},
               std::vector<std::pair<std::string, std::string>> env = {}) {
        pid_ = ::fork();
        if (pid_ == 0) {
            if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) {
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
    ~Subprocess() { Kill(); }

    pid_t Pid() const { return pid_; }

    // Polls until the child ends or the timeout passes; true when it ended.
    bool WaitFor(std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (running()) {
            if (std::chrono::steady_clock::now() >= end) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

    // The exit status as waitpid gave it (valid once the child ended).
    int Status() const { return status_; }

    void Kill() {
        if (pid_ > 0 && running()) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status_, 0);
        }
        pid_ = -1;
    }

private:
    bool running() {
        if (pid_ <= 0 || ended_) {
            return false;
        }
        if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
            ended_ = true;
        }
        return !ended_;
    }

    pid_t pid_ = -1;
    int status_ = 0;
    bool ended_ = false;
};

}  // namespace velmora::test
