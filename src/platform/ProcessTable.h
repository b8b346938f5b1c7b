#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// One entry of a process snapshot.
struct ProcessEntry {
    int pid = 0;
    int parentPid = 0;
    std::string name;  // image name, e.g. "sleep" or "backup.sh"
    int threads = 0;
    std::string path;  // executable path; empty when it cannot be read
    // When the process started, in the table's own units (clock ticks after
    // boot on Linux). With the pid it names exactly one process, even after
    // the pid has been taken by another.
    std::uint64_t startTime = 0;
};

// What the statistics labels show: the number of snapshot entries and the sum
// of their thread counts.
struct ProcessCounts {
    int processes = 0;
    long long threads = 0;
};

// The machine's process table.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // Entry 0 is the idle task (pid 0); then every process in ascending pid
    // order. A process that vanishes during the walk is skipped. An empty
    // result means the snapshot could not be taken.
    virtual std::vector<ProcessEntry> Snapshot() const = 0;
    // Ends at once exactly the process a snapshot entry describes. False,
    // with nothing signalled, when its pid is 0 or below, when the pid now
    // belongs to another process (another start time) or when the process
    // has ended; false also when it could not be signalled.
    virtual bool Terminate(const ProcessEntry& entry) = 0;
    // The same counts a Snapshot() would give, from the cheapest source.
    virtual ProcessCounts Counts() const = 0;
    // The nice value (-20 highest priority to 19 lowest) of exactly the
    // entry's process; false when it has ended or its pid now belongs to
    // another process.
    virtual bool ReadNice(const ProcessEntry& entry, int& nice) const = 0;
    // Gives every thread of exactly the entry's process the nice value; false
    // when the process is not the entry's any more or the system refuses (a
    // higher priority may need privileges the program lacks).
    virtual bool SetNice(const ProcessEntry& entry, int nice) = 0;

    // Ends exactly the entry's process and every process descended from it
    // (found through the parent pids of a fresh snapshot), the deepest first:
    // each ends while it is still its parent's child, not an orphan that
    // another process has taken over. False when the entry's process is not
    // in the snapshot any more or any of the tree could not be ended.
    bool TerminateTree(const ProcessEntry& root);
};

}  // namespace velmora
