#include <charconv>
#include <string>
#include <string_view>

#include "platform/MessagePrompt.h"
#include "platform/ProcessTable.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/KillReport.h"
#include "scheduler/core/ProcessListFile.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/ScheduleView.h"

namespace velmora {

namespace {

// The label and the number after it, as "%d" prints it; built without
// printf, as the row is made anew every second.
std::string Labelled(std::string_view label, long long number) {
    std::string text(label);
    char figures[24];
    text.append(figures, std::to_chars(figures, figures + sizeof figures, number).ptr);
    return text;
}

}  // namespace

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
    s_.view.SetText(IDC_RUNNING_PROCESSES, Labelled("Running processes: ", counts.processes));
    s_.view.SetText(IDC_THREADS_RUNNING, Labelled("Threads running: ", counts.threads));
    s_.view.SetText(IDC_PROCESSES_FOR_TERMINATION, Labelled("Processes for termination: ", listed));
}

}  // namespace velmora
