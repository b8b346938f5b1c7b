#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/ProcessTable.h"

namespace velmora::test {

// A process table of made-up entries. It starts with the idle task (pid 0)
// as entry 0, like the real one. A terminated process leaves the table;
// pids in `failing` cannot be terminated.
class FakeProcessTable : public ProcessTable {
public:
    FakeProcessTable() { entries.push_back({0, 0, "idle", 1, ""}); }

    void Add(int pid, const std::string& name, int threads = 1, int parentPid = 1,
             const std::string& path = "") {
        entries.push_back({pid, parentPid, name, threads, path});
    }

    std::vector<ProcessEntry> Snapshot() const override {
        return snapshotFails ? std::vector<ProcessEntry>() : entries;
    }
    bool Terminate(int pid) override {
        terminated.push_back(pid);
        if (failing.count(pid) != 0) {
            return false;
        }
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [pid](const ProcessEntry& e) { return e.pid == pid; });
        if (it == entries.end()) {
            return false;
        }
        entries.erase(it);
        return true;
    }
    ProcessCounts Counts() const override {
        ProcessCounts counts;
        for (const ProcessEntry& e : Snapshot()) {
            ++counts.processes;
            counts.threads += e.threads;
        }
        return counts;
    }

    std::vector<ProcessEntry> entries;
    std::vector<int> terminated;  // every Terminate call, in order
    std::set<int> failing;
    bool snapshotFails = false;
};

}  // namespace velmora::test
