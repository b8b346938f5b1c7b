#include "platform/linux/ProcFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>

namespace velmora {
namespace {

// The kernel keeps at most 15 bytes of a task's name.
constexpr std::size_t kCommLength = 15;
// The most of a command line read to find the argument a cut name starts.
constexpr std::size_t kCmdlineLimit = 64 * 1024;

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

bool ParseStat(std::string_view line, StatFields& out) {
    const auto open = line.find('(');
    const auto close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return false;
    }
    out.name = line.substr(open + 1, close - open - 1);
    // Fields after the name, counted from 3 (the state).
    constexpr int kParentField = 4;
    constexpr int kNiceField = 19;
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
        } else if (field == kNiceField) {
            std::from_chars(first, last, out.nice);
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

}  // namespace

bool ReadStatAt(int dirFd, const std::string& pidDir, std::string& buffer, StatFields& fields) {
    return ReadFileAt(dirFd, pidDir + "/stat", buffer, 4096, '\n') && ParseStat(buffer, fields);
}

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

std::string ImageNameAt(int dirFd, const std::string& pidDir, std::string_view comm) {
    std::string cmdline;
    if (comm.size() == kCommLength &&
        ReadFileAt(dirFd, pidDir + "/cmdline", cmdline, kCmdlineLimit, std::nullopt)) {
        return std::string(FullName(cmdline, comm));
    }
    return std::string(comm);
}

}  // namespace velmora
