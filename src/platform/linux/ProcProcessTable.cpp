#include "platform/linux/ProcProcessTable.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <string_view>

#include "platform/linux/ProcFiles.h"

namespace velmora {
namespace {

// How the thread source is settled: a full walk that disagrees with a steady
// system total this many times means /proc shows only part of the system;
// after this many attempts of any outcome the per-process walk is kept.
constexpr int kMismatchesToFallBack = 3;
constexpr int kAttemptsToFallBack = 20;

// A directory entry name made only of digits, as the process directories are.
bool ParsePid(const char* name, int& pid) {
    const char* end = name;
    while (*end >= '0' && *end <= '9') {
        ++end;
    }
    if (end == name || *end != '\0') {
        return false;
    }
    return std::from_chars(name, end, pid).ec == std::errc();
}

}  // namespace

void ProcProcessTable::DirCloser::operator()(DIR* dir) const {
    closedir(dir);
}

ProcProcessTable::ProcProcessTable(std::string procRoot) : root_(std::move(procRoot)) {}

ProcProcessTable::~ProcProcessTable() {
    if (loadavgFd_ >= 0) {
        close(loadavgFd_);
    }
}

bool ProcProcessTable::OpenFiles() const {
    if (!dir_) {
        dir_.reset(opendir(root_.c_str()));
    }
    if (loadavgFd_ < 0) {
        loadavgFd_ = open((root_ + "/loadavg").c_str(), O_RDONLY | O_CLOEXEC);
    }
    return dir_ != nullptr;
}

template <typename Visit>
bool ProcProcessTable::ForEachPid(Visit visit) const {
    if (!OpenFiles()) {
        return false;
    }
    rewinddir(dir_.get());
    while (const dirent* entry = readdir(dir_.get())) {
        int pid = 0;
        if (ParsePid(entry->d_name, pid)) {
            visit(pid);
        }
    }
    return true;
}

bool ProcProcessTable::ListPids(std::vector<int>& pids) const {
    pids.clear();
    return ForEachPid([&pids](int pid) { pids.push_back(pid); });
}

bool ProcProcessTable::CountPidEntries(int& count) const {
    count = 0;
    return ForEachPid([&count](int) { ++count; });
}

bool ProcProcessTable::ReadTaskFigures(TaskFigures& figures) const {
    if (!OpenFiles() || loadavgFd_ < 0) {
        return false;
    }
    // "0.08 0.07 0.03 2/118 7299": running/total tasks, then the last pid
    // handed out.
    char buf[128];
    const ssize_t n = pread(loadavgFd_, buf, sizeof buf - 1, 0);
    if (n <= 0) {
        return false;
    }
    const char* const end = buf + n;
    const char* slash = std::find(static_cast<const char*>(buf), end, '/');
    if (slash == end) {
        return false;
    }
    const auto total = std::from_chars(slash + 1, end, figures.total);
    if (total.ec != std::errc() || total.ptr == end || *total.ptr != ' ') {
        return false;
    }
    return std::from_chars(total.ptr + 1, end, figures.lastPid).ec == std::errc();
}

bool ProcProcessTable::ReadEntry(int pid, ProcessEntry& entry) const {
    const std::string dir = std::to_string(pid);
    const int dirFd = ::dirfd(dir_.get());
    std::string stat;
    StatFields fields;
    if (!ReadStatAt(dirFd, dir, stat, fields)) {
        return false;
    }
    entry.pid = pid;
    entry.parentPid = fields.parentPid;
    entry.threads = fields.threads;
    entry.startTime = fields.startTime;
    entry.name = ImageNameAt(dirFd, dir, fields.name);
    entry.path = ReadLinkAt(dirFd, dir + "/exe");
    return true;
}

std::vector<ProcessEntry> ProcProcessTable::Snapshot() const {
    std::vector<ProcessEntry> result;
    std::vector<int> pids;
    if (!ListPids(pids)) {
        return result;
    }
    std::sort(pids.begin(), pids.end());
    result.reserve(pids.size() + 1);
    ProcessEntry idle;
    idle.name = kIdleName;
    result.push_back(std::move(idle));
    for (const int pid : pids) {
        ProcessEntry entry;
        if (ReadEntry(pid, entry)) {
            result.push_back(std::move(entry));
        }
    }
    return result;
}

bool ProcProcessTable::StartTimeOf(int pid, std::uint64_t& startTime) const {
    std::string stat;
    StatFields fields;
    if (pid <= 0 || !ReadStatAt(AT_FDCWD, PidDir(pid), stat, fields)) {
        return false;
    }
    startTime = fields.startTime;
    return true;
}

bool ProcProcessTable::Terminate(const ProcessEntry& entry) {
    if (entry.pid <= 0) {
        return false;
    }
    // The pidfd holds whatever process has the pid now, and goes on holding it
    // if it ends and the pid is reused; it is the snapshot's process only when
    // that one started at the same moment. (Both calls go through syscall():
    // the C library's header for them lacks C linkage in the versions this
    // program builds with.)
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, entry.pid, 0));
    if (pidfd < 0) {
        return false;
    }
    std::uint64_t startTime = 0;
    const bool terminated = StartTimeOf(entry.pid, startTime) && startTime == entry.startTime &&
                            ::syscall(SYS_pidfd_send_signal, pidfd, SIGKILL, nullptr, 0) == 0;
    close(pidfd);
    return terminated;
}

bool ProcProcessTable::ReadNice(const ProcessEntry& entry, int& nice) const {
    std::string stat;
    StatFields fields;
    if (entry.pid <= 0 || !ReadStatAt(AT_FDCWD, PidDir(entry.pid), stat, fields) ||
        fields.startTime != entry.startTime) {
        return false;
    }
    nice = fields.nice;
    return true;
}

bool ProcProcessTable::SetNice(const ProcessEntry& entry, int nice) {
    if (entry.pid <= 0) {
        return false;
    }
    // The open directory stays the process's own: once the process has
    // ended, nothing can be read through it, even after its pid is taken.
    const int dirFd = open(PidDir(entry.pid).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) {
        return false;
    }
    std::string stat;
    StatFields fields;
    const bool same = ReadStatAt(dirFd, ".", stat, fields) && fields.startTime == entry.startTime;
    const int taskFd = same ? openat(dirFd, "task", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    close(dirFd);
    const std::unique_ptr<DIR, DirCloser> tasks(taskFd >= 0 ? fdopendir(taskFd) : nullptr);
    if (!tasks) {
        if (taskFd >= 0) {
            close(taskFd);
        }
        return false;
    }
    bool all = true;
    int threads = 0;
    while (const dirent* task = readdir(tasks.get())) {
        int tid = 0;
        if (ParsePid(task->d_name, tid)) {
            all = setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) == 0 && all;
            ++threads;
        }
    }
    return all && threads > 0;
}

ProcProcessTable::WalkResult ProcProcessTable::WalkCounts() const {
    WalkResult walk;
    std::vector<int> pids;
    if (!ListPids(pids)) {
        return walk;
    }
    walk.listed = static_cast<int>(pids.size());
    walk.counts.processes = 1;  // the idle entry
    const int dirFd = ::dirfd(dir_.get());
    std::string stat;
    for (const int pid : pids) {
        StatFields fields;
        if (ReadStatAt(dirFd, std::to_string(pid), stat, fields)) {
            ++walk.counts.processes;
            walk.counts.threads += fields.threads;
        }
    }
    return walk;
}

// The statistics refresh every second, so they must not open a file per
// process. The cheapest sources the kernel offers:
//  - processes: one listing of the process directory (one or two getdents
//    calls on the directory kept open) counts the numeric entries, which are
//    exactly the processes a snapshot walks; and no listing at all while no
//    task started or ended since the last one (CountFromSystemTotal);
//  - threads: the total in the load-average file's fourth field
//    ("running/total"), read with one pread on the file kept open. It counts
//    every task in the system, kernel threads included and idle tasks
//    excluded, which is the sum of the thread counts over all processes.
//    sysinfo() holds the same total but in 16 bits, so it wraps on big
//    machines; the file does not.
// The total is system-wide while /proc may show only part of the system: in
// a container's own pid namespace, or with /proc mounted with hidepid. The
// first refreshes therefore compare the total with a full walk (taking the
// total before and after, so a task that started or ended meanwhile does not
// count as a mismatch) and keep the cheap total only when they agree exactly;
// when they keep disagreeing, every later refresh walks one stat file per
// process, which always matches what a snapshot shows.
// That walk is never skipped: with hidepid a process comes into view or goes
// out of it when its owner changes, which moves no task figure.
ProcessCounts ProcProcessTable::Counts() const {
    switch (source_) {
        case ThreadSource::SystemTotal:
            if (const auto counts = CountFromSystemTotal()) {
                return *counts;
            }
            return WalkCounts().counts;
        case ThreadSource::Undecided:
            return Calibrate();
        case ThreadSource::PerProcess:
            break;
    }
    return WalkCounts().counts;
}

// Every task the kernel creates takes a new pid, which moves the last pid,
// and every task that ends leaves the total (the process directory of an
// ended process goes at the same moment as its tasks leave the total). So
// while both figures stay as they were at the last listing, no process can
// have started or ended, and that listing still holds: the directory is
// listed again only when a figure moved. A listing during which a figure
// moved is not kept, as the tasks it saw may be half of a change.
std::optional<ProcessCounts> ProcProcessTable::CountFromSystemTotal() const {
    TaskFigures before;
    if (!ReadTaskFigures(before)) {
        return std::nullopt;
    }
    if (listing_ && listing_->figures == before) {
        return ProcessCounts{listing_->listed + 1, before.total};
    }
    listing_.reset();
    int listed = 0;
    TaskFigures after;
    if (!CountPidEntries(listed) || !ReadTaskFigures(after)) {
        return std::nullopt;
    }
    if (after == before) {
        listing_ = Listing{before, listed};
    }
    return ProcessCounts{listed + 1, before.total};
}

ProcessCounts ProcProcessTable::Calibrate() const {
    TaskFigures before;
    TaskFigures after;
    const bool haveBefore = ReadTaskFigures(before);
    const WalkResult walk = WalkCounts();
    const bool haveAfter = ReadTaskFigures(after);
    if (!haveBefore || !haveAfter) {
        source_ = ThreadSource::PerProcess;
        return walk.counts;
    }
    ++calibrationAttempts_;
    if (before.total == after.total) {
        if (walk.counts.threads == before.total && walk.counts.processes == walk.listed + 1) {
            source_ = ThreadSource::SystemTotal;
            return walk.counts;
        }
        ++calibrationMismatches_;
    }
    if (calibrationMismatches_ >= kMismatchesToFallBack ||
        calibrationAttempts_ >= kAttemptsToFallBack) {
        source_ = ThreadSource::PerProcess;
    }
    return walk.counts;
}

}  // namespace velmora
