#pragma once

#include <sys/types.h>

#include <functional>
#include <set>
#include <string>

#include "fakes/TempDir.h"

namespace velmora::test {

// Child processes this test starts itself, the only processes it may signal.
// Each start returns once the child runs its final program (or has set its
// name), so /proc already shows what the test checks. Every child dies with
// the test process, and the destructor kills and reaps any still running.
class OwnChildren {
public:
    OwnChildren();
    ~OwnChildren();
    OwnChildren(const OwnChildren&) = delete;
    OwnChildren& operator=(const OwnChildren&) = delete;

    // A prefix unique to this test run ("vlm-<pid>-<random>-"), so no
    // process of anyone else can carry the names made from it.
    const std::string& Prefix() const { return prefix_; }
    // Where the copies and scripts are written.
    const std::string& Dir() const { return dirPath_; }

    // Runs a copy of /bin/sleep named `fileName` in the temporary directory,
    // with argv[0] `argv0` (the copy's full path when empty). -1 on failure.
    pid_t StartSleepCopy(const std::string& fileName, const std::string& argv0 = {});
    // Runs an executable shell script named `fileName` through its "#!"
    // interpreter; it waits on a pipe this object holds. -1 on failure.
    pid_t StartScript(const std::string& fileName);
    // Forks a child that names itself `taskName`, starts `extraThreads`
    // threads and waits. -1 on failure.
    pid_t StartThreads(const std::string& taskName, int extraThreads);

    // Reaps an own child that something else killed; returns its wait
    // status, or -1 when it is not ours or does not end within 10 seconds.
    int Reap(pid_t pid);
    // Whether an own child still runs (not yet ended).
    bool Running(pid_t pid) const;

private:
    // Forks a child that runs `inChild` and returns once the child closed
    // or wrote to the descriptor it is given.
    pid_t Fork(const std::function<void(int readyFd)>& inChild);
    pid_t Launch(const std::string& path, const std::string& argv0, int stdinFd);

    TempDir dir_;
    std::string dirPath_;
    std::string prefix_;
    std::set<pid_t> children_;
    std::set<int> pipeWriteEnds_;
};

}  // namespace velmora::test
