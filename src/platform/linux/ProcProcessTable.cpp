#include "platform/linux/ProcProcessTable.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>
#include <string_view>

namespace velmora {
namespace {

// The kernel keeps at most 15 bytes of a task's name.
constexpr std::size_t kCommLength = 15;
// The most of a command line read to find the argument a cut name starts.
constexpr std::size_t kCmdlineLimit = 64 * 1024;
// How the thread source is settled: a full walk that disagrees with a steady
// system total this many times means /proc shows only part of the system;
// after this many attempts of any outcome the per-process walk is kept.
constexpr int kMismatchesToFallBack = 3;
constexpr int kAttemptsToFallBack = 20;

// Reads a small file below dirFd, stopping early once `stopAt` has been read.
bool ReadFileAt(int dirFd, const std::string& rel, std::string& out, std::size_t limit,
                std::optional<char> stopAt) {
    const int fd = openat(dirFd, rel.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    out.clear();
    bool ok = true;
    char buf[1024];
    while (out.size() < limit) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) {
            break;
        }
        out.append(buf, static_cast<std::size_t>(n));
        if (stopAt && std::string_view(buf, static_cast<std::size_t>(n)).find(*stopAt) !=
                          std::string_view::npos) {
            break;
        }
    }
    close(fd);
    return ok;
}

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

// One line of /proc/PID/stat: "pid (name) state ppid ... num_threads ...".
// The name may hold spaces and parentheses, so the fields are counted after
// the last ')'. The name between the parentheses is the same text the comm
// file holds, so one file gives name, parent, threads and start time.
struct StatFields {
    std::string_view name;
    int parentPid = 0;
    int threads = 0;
    std::uint64_t startTime = 0;  // 0 when the line ends before it
};

bool ParseStat(std::string_view line, StatFields& out) {
    const auto open = line.find('(');
    const auto close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return false;
    }
    out.name = line.substr(open + 1, close - open - 1);
    // Fields after the name, counted from 3 (the state).
    constexpr int kParentField = 4;
    constexpr int kThreadsField = 20;
    constexpr int kStartField = 22;
    int field = 3;
    bool haveParent = false;
    bool haveThreads = false;
    std::size_t pos = close + 1;
    while (pos < line.size() && field <= kStartField) {
        while (pos < line.size() && line[pos] == ' ') {
            ++pos;
        }
        std::size_t end = pos;
        while (end < line.size() && line[end] != ' ' && line[end] != '\n') {
            ++end;
        }
        if (end == pos) {
            break;
        }
        const char* first = line.data() + pos;
        const char* last = line.data() + end;
        if (field == kParentField) {
            haveParent = std::from_chars(first, last, out.parentPid).ec == std::errc();
        } else if (field == kThreadsField) {
            haveThreads = std::from_chars(first, last, out.threads).ec == std::errc();
        } else if (field == kStartField) {
            std::from_chars(first, last, out.startTime);
        }
        ++field;
        pos = end;
    }
    return haveParent && haveThreads;
}

// Reads and parses "<pidDir>/stat" below dirFd; the name in `fields` points
// into `buffer`. False for a process that ended since it was listed.
bool ReadStatAt(int dirFd, const std::string& pidDir, std::string& buffer, StatFields& fields) {
    return ReadFileAt(dirFd, pidDir + "/stat", buffer, 4096, '\n') && ParseStat(buffer, fields);
}

// The name of a process whose kernel name `comm` was cut at 15 bytes: the
// base name of the first argument that starts with it. That is argv[0] for a
// program and, for a script, the script's path after the interpreter's
// arguments. The cut name itself when no argument starts with it.
std::string_view FullName(std::string_view cmdline, std::string_view comm) {
    while (!cmdline.empty()) {
        const std::string_view arg = cmdline.substr(0, cmdline.find('\0'));
        cmdline.remove_prefix(std::min(cmdline.size(), arg.size() + 1));
        const std::string_view base = arg.substr(arg.rfind('/') + 1);  // npos + 1 is 0
        if (base.starts_with(comm)) {
            return base;
        }
    }
    return comm;
}

// The target of a symbolic link below dirFd; empty when it cannot be read.
std::string ReadLinkAt(int dirFd, const std::string& rel) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t n = readlinkat(dirFd, rel.c_str(), target.data(), target.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < target.size()) {
            target.resize(static_cast<std::size_t>(n));
            return target;
        }
        if (target.size() >= kCmdlineLimit) {
            return {};
        }
        target.resize(target.size() * 2);
    }
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

bool ProcProcessTable::ReadSystemThreadTotal(long long& total) const {
    if (!OpenFiles() || loadavgFd_ < 0) {
        return false;
    }
    // "0.08 0.07 0.03 2/118 7299": the fourth field is running/total tasks.
    char buf[128];
    const ssize_t n = pread(loadavgFd_, buf, sizeof buf - 1, 0);
    if (n <= 0) {
        return false;
    }
    const std::string_view text(buf, static_cast<std::size_t>(n));
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) {
        return false;
    }
    const char* first = text.data() + slash + 1;
    return std::from_chars(first, text.data() + text.size(), total).ec == std::errc();
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
    entry.name.assign(fields.name);
    entry.startTime = fields.startTime;
    // A name cut by the kernel: the full file name it was cut from, so long
    // names and scripts show as they were started.
    std::string cmdline;
    if (entry.name.size() == kCommLength &&
        ReadFileAt(dirFd, dir + "/cmdline", cmdline, kCmdlineLimit, std::nullopt)) {
        entry.name.assign(FullName(cmdline, entry.name));
    }
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
    if (pid <= 0 || !ReadStatAt(AT_FDCWD, root_ + "/" + std::to_string(pid), stat, fields)) {
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

bool ProcProcessTable::Terminate(int pid) {
    ProcessEntry entry;
    entry.pid = pid;
    return StartTimeOf(pid, entry.startTime) && Terminate(entry);
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
//    exactly the processes a snapshot walks;
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
ProcessCounts ProcProcessTable::Counts() const {
    switch (source_) {
        case ThreadSource::SystemTotal: {
            int listed = 0;
            long long total = 0;
            if (CountPidEntries(listed) && ReadSystemThreadTotal(total)) {
                return ProcessCounts{listed + 1, total};
            }
            return WalkCounts().counts;
        }
        case ThreadSource::Undecided:
            return Calibrate();
        case ThreadSource::PerProcess:
            break;
    }
    return WalkCounts().counts;
}

ProcessCounts ProcProcessTable::Calibrate() const {
    long long before = 0;
    long long after = 0;
    const bool haveBefore = ReadSystemThreadTotal(before);
    const WalkResult walk = WalkCounts();
    const bool haveAfter = ReadSystemThreadTotal(after);
    if (!haveBefore || !haveAfter) {
        source_ = ThreadSource::PerProcess;
        return walk.counts;
    }
    ++calibrationAttempts_;
    if (before == after) {
        if (walk.counts.threads == before && walk.counts.processes == walk.listed + 1) {
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
