#pragma once

#include <dirent.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProcessTable.h"

namespace velmora {

// The process table read from /proc. Entry 0 of a snapshot is the idle task;
// then every process in ascending pid order with its image name, parent,
// thread count and executable path.
//
// Not thread-safe: every window that asks runs on the user-interface thread,
// and the object keeps the process directory and the load-average file open
// between calls so a statistics refresh opens nothing.
class ProcProcessTable : public ProcessTable {
public:
    // The name of entry 0, the idle task (pid 0), which /proc does not list.
    static constexpr const char* kIdleName = "[System Process]";

    // procRoot is the process file system's mount point; tests point it at a
    // directory tree laid out like it.
    explicit ProcProcessTable(std::string procRoot = "/proc");
    ~ProcProcessTable() override;
    ProcProcessTable(const ProcProcessTable&) = delete;
    ProcProcessTable& operator=(const ProcProcessTable&) = delete;

    std::vector<ProcessEntry> Snapshot() const override;
    // SIGKILL through a pidfd to exactly the entry's process: the pid is
    // opened first, then its start time is checked against the entry's.
    // Zero and negative ids are refused without a signal: they would address
    // process groups or every process there is.
    bool Terminate(const ProcessEntry& entry) override;
    ProcessCounts Counts() const override;
    // The nice value is the main thread's, from the same stat line that
    // proves the process is still the entry's.
    bool ReadNice(const ProcessEntry& entry, int& nice) const override;
    // Sets each thread listed below the process's own directory: the nice
    // value belongs to a thread, not to the whole process.
    bool SetNice(const ProcessEntry& entry, int nice) override;

private:
    // Where the thread total of Counts() comes from.
    enum class ThreadSource {
        Undecided,    // not yet compared against a full walk
        SystemTotal,  // the kernel's task total: /proc shows every task
        PerProcess,   // one stat file per process: /proc shows only part of the tasks
    };

    struct DirCloser {
        void operator()(DIR* dir) const;
    };
    // The task figures of the load-average file.
    struct TaskFigures {
        long long total = 0;    // every task (thread) of the system
        long long lastPid = 0;  // the pid the kernel handed out last
        bool operator==(const TaskFigures&) const = default;
    };
    // A listing of the process directory and the figures it was taken at.
    struct Listing {
        TaskFigures figures;
        int listed = 0;
    };
    struct WalkResult {
        int listed = 0;  // numeric entries of the directory
        ProcessCounts counts;
    };

    // The numeric entries of the process directory, in the order listed;
    // false when the directory cannot be read.
    // Calls visit(pid) for every numeric entry of the /proc listing.
    template <typename Visit>
    bool ForEachPid(Visit visit) const;
    bool ListPids(std::vector<int>& pids) const;
    bool CountPidEntries(int& count) const;
    bool ReadTaskFigures(TaskFigures& figures) const;
    // The counts from the kernel's task total and a listing of the process
    // directory; nothing when a file cannot be read.
    std::optional<ProcessCounts> CountFromSystemTotal() const;
    // Counts from one stat file per process, as a snapshot counts them.
    WalkResult WalkCounts() const;
    // Compares the cheap source with a full walk and settles ThreadSource.
    ProcessCounts Calibrate() const;
    bool ReadEntry(int pid, ProcessEntry& entry) const;
    // The start time in /proc/PID/stat; false when the process is gone.
    bool StartTimeOf(int pid, std::uint64_t& startTime) const;
    bool OpenFiles() const;
    std::string PidDir(int pid) const { return root_ + "/" + std::to_string(pid); }

    std::string root_;
    mutable std::unique_ptr<DIR, DirCloser> dir_;
    mutable int loadavgFd_ = -1;
    mutable ThreadSource source_ = ThreadSource::Undecided;
    mutable std::optional<Listing> listing_;
    mutable int calibrationMismatches_ = 0;
    mutable int calibrationAttempts_ = 0;
};

}  // namespace velmora
