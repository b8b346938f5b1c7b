#include "OwnChildren.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

namespace velmora::test {
namespace {

void* WaitForever(void*) {
    for (;;) {
        pause();
    }
    return nullptr;
}

}  // namespace

OwnChildren::OwnChildren() {
    char* real = realpath(dir_.Path().c_str(), nullptr);
    dirPath_ = real != nullptr ? real : dir_.Path();
    std::free(real);
    std::random_device random;
    char tag[8];
    std::snprintf(tag, sizeof tag, "%04x", static_cast<unsigned>(random() & 0xffffu));
    prefix_ = "vlm-" + std::to_string(getpid()) + "-" + tag + "-";
}

OwnChildren::~OwnChildren() {
    for (const pid_t pid : children_) {
        kill(pid, SIGKILL);
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    for (const int fd : pipeWriteEnds_) {
        close(fd);
    }
}

pid_t OwnChildren::Fork(const std::function<void(int readyFd)>& inChild) {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        // Die with the test, and give up when the test already died.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(127);
        }
        inChild(ready[1]);
        _exit(127);
    }
    close(ready[1]);
    if (pid > 0) {
        children_.insert(pid);
        // Returns when the child closed its end: by exec (close-on-exec), by
        // its exit, or by writing a byte once ready.
        char byte = 0;
        while (read(ready[0], &byte, 1) < 0 && errno == EINTR) {
        }
    }
    close(ready[0]);
    return pid;
}

pid_t OwnChildren::Launch(const std::string& path, const std::string& argv0, int stdinFd) {
    std::string arg0 = argv0.empty() ? path : argv0;
    std::string seconds = "300";
    char* argv[] = {arg0.data(), seconds.data(), nullptr};
    return Fork([&](int) {
        if (stdinFd >= 0) {
            dup2(stdinFd, STDIN_FILENO);
        }
        execv(path.c_str(), argv);
    });
}

pid_t OwnChildren::StartSleepCopy(const std::string& fileName, const std::string& argv0) {
    const std::string path = dirPath_ + "/" + fileName;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        std::filesystem::copy_file("/bin/sleep", path, error);
        chmod(path.c_str(), 0755);
    }
    return Launch(path, argv0, -1);
}

pid_t OwnChildren::StartScript(const std::string& fileName) {
    const std::string path = dirPath_ + "/" + fileName;
    std::ofstream(path) << "#!/bin/sh\nread line\n";
    chmod(path.c_str(), 0755);
    int input[2];
    if (pipe2(input, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t pid = Launch(path, {}, input[0]);
    close(input[0]);
    pipeWriteEnds_.insert(input[1]);
    return pid;
}

pid_t OwnChildren::StartThreads(const std::string& taskName, int extraThreads) {
    return Fork([&](int readyFd) {
        prctl(PR_SET_NAME, taskName.c_str());
        for (int i = 0; i < extraThreads; ++i) {
            pthread_t thread;
            pthread_create(&thread, nullptr, WaitForever, nullptr);
        }
        const char byte = 'r';
        [[maybe_unused]] const ssize_t written = write(readyFd, &byte, 1);
        WaitForever(nullptr);
    });
}

int OwnChildren::Reap(pid_t pid) {
    if (children_.count(pid) == 0) {
        return -1;
    }
    for (int waited = 0; waited < 1000; ++waited) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            children_.erase(pid);
            return status;
        }
        if (done < 0 && errno != EINTR) {
            children_.erase(pid);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

bool OwnChildren::Running(pid_t pid) const {
    if (children_.count(pid) == 0) {
        return false;
    }
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0;
}

}  // namespace velmora::test
