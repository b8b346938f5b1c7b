#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ProcessTable.h"

namespace velmora::test {

// Made-up processes after the idle task (pid 0) as entry 0, like the real
// table. A terminated process leaves the table.
class FakeProcessTable : public ProcessTable {
public:
    FakeProcessTable() { Add(0, "idle"); }
    void Add(int pid, const std::string& name, int threads = 1, const std::string& path = "") {
        entries.push_back({pid, 1, name, threads, path});
    }
    std::vector<ProcessEntry> Snapshot() const override {
        if (onSnapshot) {
            onSnapshot();  // lets a test act between the list's reading and the snapshot
        }
        return entries;
    }
    bool Terminate(const ProcessEntry& target) override {
        ended.push_back(target.pid);
        return std::erase_if(entries, [&](const ProcessEntry& e) {
                   return e.pid == target.pid && e.startTime == target.startTime;
               }) > 0;
    }
    ProcessCounts Counts() const override {
        ++countsAsked;
        ProcessCounts counts{static_cast<int>(entries.size()), 0};
        for (const ProcessEntry& e : entries) {
            counts.threads += e.threads;
        }
        return counts;
    }
    bool ReadNice(const ProcessEntry&, int&) const override { return false; }
    bool SetNice(const ProcessEntry&, int) override { return false; }
    std::vector<ProcessEntry> entries;
    std::vector<int> ended;  // pids asked to end, in order
    std::function<void()> onSnapshot;
    mutable int countsAsked = 0;
};

}  // namespace velmora::test
