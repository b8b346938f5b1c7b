#include "platform/ProcessTable.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace velmora {

bool ProcessTable::TerminateTree(const ProcessEntry& root) {
    const std::vector<ProcessEntry> snapshot = Snapshot();
    const auto found = std::ranges::find_if(snapshot, [&root](const ProcessEntry& e) {
        return e.pid == root.pid && e.startTime == root.startTime;
    });
    if (root.pid <= 0 || found == snapshot.end()) {
        return false;
    }
    std::unordered_multimap<int, const ProcessEntry*> children;
    for (const ProcessEntry& entry : snapshot) {
        if (entry.pid > 0 && entry.pid != entry.parentPid) {
            children.emplace(entry.parentPid, &entry);
        }
    }
    // Level by level from the root, each entry once, so the walk ends even
    // on a snapshot whose parents contradict each other (pids reused while
    // it was taken).
    std::vector<const ProcessEntry*> tree{&*found};
    std::unordered_set<const ProcessEntry*> seen{&*found};
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const auto [first, last] = children.equal_range(tree[i]->pid);
        for (auto it = first; it != last; ++it) {
            if (seen.insert(it->second).second) {
                tree.push_back(it->second);
            }
        }
    }
    bool all = true;
    for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
        all = Terminate(**it) && all;
    }
    return all;
}

}  // namespace velmora
