#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "fakes/TempDir.h"

namespace velmora::test {

// Child processes this test starts itself, the only processes it may signal.
// Each dies with the test; the destructor kills and reaps those still left.
class OwnChildren {
public:
    ~OwnChildren() {
        for (const pid_t pid : kids_) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    // "vlm-XXXXXX-": unique while the temporary directory exists.
    std::string Prefix() const { return "vlm-" + dir_.Path().substr(dir_.Path().size() - 6) + "-"; }

    // A copy of /bin/sleep run as `name`; with `threads` > 0 instead a child
    // that names itself `name` (at most 15 bytes) and runs that many threads
    // besides its first. With a `grandchild` name, the child first starts a
    // copy run as that name for 30 seconds, which outlives a child ended
    // alone. Returns once /proc shows the child's name.
    pid_t Start(const std::string& name, int threads = 0, const std::string& grandchild = {}) {
        const std::string path = dir_.File(name);
        const std::string grandchildPath = dir_.File(grandchild.empty() ? name : grandchild);
        for (const std::string& copy : {path, grandchildPath}) {
            std::filesystem::copy_file("/bin/sleep", copy,
                                       std::filesystem::copy_options::skip_existing);
        }
        const pid_t parent = getpid();
        const pid_t pid = fork();
        if (pid == 0) {
            if (!grandchild.empty() && fork() == 0) {
                execl(grandchildPath.c_str(), grandchildPath.c_str(), "30", nullptr);
                _exit(127);
            }
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (int i = 0; i < threads; ++i) {
                std::thread(pause).detach();
            }
            prctl(PR_SET_NAME, name.c_str());  // an exec names it anew
            if (getppid() == parent) {         // else the test ended before PDEATHSIG was set
                threads > 0 ? pause() : execl(path.c_str(), path.c_str(), "60", nullptr);
            }
            _exit(127);
        }
        const std::string comm = "/proc/" + std::to_string(pid) + "/comm";
        for (int i = 0; pid > 0 && i < 5000 && ReadFile(comm) != name.substr(0, 15) + "\n"; ++i) {
            usleep(1000);
        }
        if (pid > 0) {
            kids_.push_back(pid);
        }
        return pid;
    }

    // Reaps an own child, waiting for it to end unless `options` is WNOHANG;
    // its wait status, or -1 when it still runs.
    int Reap(pid_t pid, int options = 0) {
        int status = 0;
        if (pid <= 0 || waitpid(pid, &status, options) != pid) {
            return -1;
        }
        std::erase(kids_, pid);
        return status;
    }

private:
    TempDir dir_;
    std::vector<pid_t> kids_;
};

}  // namespace velmora::test
