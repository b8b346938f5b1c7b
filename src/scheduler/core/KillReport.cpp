#include "scheduler/core/KillReport.h"

#include <cstddef>
#include <set>

namespace velmora {

std::string KillListedProcesses(const std::vector<std::string>& names,
                                const std::vector<ProcessEntry>& snapshot, ProcessTable& table) {
    std::string report = "PROCESSES TERMINATION REPORT\n\n";
    bool found = false;
    for (const std::string& name : names) {
        for (std::size_t i = 1; i < snapshot.size(); ++i) {
            const ProcessEntry& entry = snapshot[i];
            if (entry.name != name) {
                continue;
            }
            found = true;
            const bool terminated = entry.pid > 0 && table.Terminate(entry);
            report +=
                "Process: " + name + ", Status: " + (terminated ? "Terminated" : "Error") + "\n";
        }
    }
    if (!found) {
        report += "None of the selected processes running at this time!";
    }
    return report;
}

int CountListedRunning(const std::vector<std::string>& names,
                       const std::vector<ProcessEntry>& snapshot) {
    const std::set<std::string> listed(names.begin(), names.end());
    int running = 0;
    for (std::size_t i = 1; i < snapshot.size(); ++i) {
        running += snapshot[i].pid > 0 && listed.count(snapshot[i].name) != 0 ? 1 : 0;
    }
    return running;
}

}  // namespace velmora
