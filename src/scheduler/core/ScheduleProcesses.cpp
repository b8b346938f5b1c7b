#include <string>

#include "platform/MessagePrompt.h"
#include "platform/ProcessTable.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/KillReport.h"
#include "scheduler/core/ProcessListFile.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/ScheduleView.h"

namespace velmora {

std::vector<std::string> ScheduleCore::ReadProcessList() const {
    return processList_.Names();
}

int ScheduleCore::CountSelectedProcesses() const {
    return static_cast<int>(processList_.Names().size());
}

int ScheduleCore::CountRunningListed() const {
    return CountListedRunning(processList_.Names(), s_.processes.Snapshot());
}

void ScheduleCore::KillSelectedProcesses() {
    // The list first: the snapshot is taken as close to the signals as can be.
    const std::vector<std::string> names = ReadProcessList();
    const std::vector<ProcessEntry> snapshot = s_.processes.Snapshot();
    s_.prompt.Information(KillListedProcesses(names, snapshot, s_.processes));
}

void ScheduleCore::UpdateProcessStatistics() {
    const ProcessCounts counts = s_.processes.Counts();
    const int listed = CountSelectedProcesses();
    // std::to_string writes the figures without printf: the row is made anew
    // every second.
    s_.view.SetText(IDC_RUNNING_PROCESSES,
                    "Running processes: " + std::to_string(counts.processes));
    s_.view.SetText(IDC_THREADS_RUNNING, "Threads running: " + std::to_string(counts.threads));
    s_.view.SetText(IDC_PROCESSES_FOR_TERMINATION,
                    "Processes for termination: " + std::to_string(listed));
}

}  // namespace velmora
