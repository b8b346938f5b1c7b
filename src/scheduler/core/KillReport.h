#pragma once

#include <string>
#include <vector>

#include "platform/ProcessTable.h"

namespace velmora {

// Terminates, for each listed name in list order, every snapshot entry after
// the first (the idle task) whose image name equals it exactly, and returns
// the report:
//   "PROCESSES TERMINATION REPORT\n\n"
//   "Process: <name>, Status: Terminated\n" (or "Error") per attempt,
//   "None of the selected processes running at this time!" when nothing matched.
// A name listed twice is matched twice. Only the very process an entry saw is
// ended ("Error" when its pid now belongs to another). An entry with a pid of
// 0 or below is never signalled (it would address a process group) and
// reports "Error".
std::string KillListedProcesses(const std::vector<std::string>& names,
                                const std::vector<ProcessEntry>& snapshot, ProcessTable& table);

// How many snapshot entries after the first (the idle task), with a pid
// above 0, bear one of the names exactly: the processes ending the list
// would end now, each counted once.
int CountListedRunning(const std::vector<std::string>& names,
                       const std::vector<ProcessEntry>& snapshot);

}  // namespace velmora
