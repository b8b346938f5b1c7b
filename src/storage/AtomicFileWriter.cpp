#include "storage/AtomicFileWriter.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace velmora {

namespace {

// What follows the target's name in a temporary file's name, before the six
// random characters.
constexpr std::string_view kPendingMark = ".saving-";
constexpr std::size_t kSuffixLength = 6;
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// A temporary file being written: closed and removed on destruction unless
// it was renamed into place.
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        if (fd >= 0) {
            ::close(fd);
        }
        if (!name.empty()) {
            ::unlink(name.c_str());
        }
    }

    bool Close() {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }

    // Moves the file over `target`; from then on it is no longer ours to remove.
    bool RenameTo(const std::string& target) {
        if (::rename(name.c_str(), target.c_str()) != 0) {
            return false;
        }
        name.clear();
        return true;
    }

    int fd = -1;
    std::string name;
};

// Six characters from a mix of the process id, a per-process counter and the
// clock; collisions are caught by O_EXCL and retried.
std::string RandomSuffix() {
    static std::atomic<std::uint64_t> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::uint64_t x = (static_cast<std::uint64_t>(::getpid()) << 40) ^
                      (counter.fetch_add(1) << 20) ^ static_cast<std::uint64_t>(now.tv_nsec) ^
                      (static_cast<std::uint64_t>(now.tv_sec) << 30);
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    x ^= x >> 31;
    std::string suffix;
    for (std::size_t i = 0; i < kSuffixLength; ++i) {
        suffix += kAlphabet[x % 62];
        x /= 62;
    }
    return suffix;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);  // npos + 1 is 0
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Makes the rename itself durable. File systems that cannot sync a directory
// answer EINVAL; that is not a failure.
bool SyncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    return (::close(fd) == 0) && synced;
}

// The file a save really replaces: the target of a symbolic link, so the
// link survives; the path itself otherwise (a dangling link is replaced).
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return path;
    }
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : path;
}

// Whether a save may replace `target`: a missing file (`existed` false), or a
// regular file that this process can open for writing (its status in `old`).
// Devices, FIFOs and directories are never opened, so checking one has no
// effect on it.
bool MayReplace(const std::string& target, struct stat& old, bool& existed) {
    existed = ::stat(target.c_str(), &old) == 0;
    if (!existed) {
        return errno == ENOENT;
    }
    if (!S_ISREG(old.st_mode)) {
        return false;
    }
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat opened {};
    const bool same = ::fstat(fd, &opened) == 0 && SameFile(opened, old);
    ::close(fd);
    return same;
}

// Whether the regular file `target` (its status in `old`) holds exactly
// `content`; it is read only when its size already matches.
bool HoldsExactly(const std::string& target, const struct stat& old, std::string_view content) {
    if (static_cast<std::size_t>(old.st_size) != content.size()) {
        return false;
    }
    const int fd = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat opened {};
    bool same = ::fstat(fd, &opened) == 0 && SameFile(opened, old);
    char buf[4096];
    std::size_t at = 0;
    while (same) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            same = n == 0 && at == content.size();
            break;
        }
        const auto got = static_cast<std::size_t>(n);
        same = at + got <= content.size() && content.substr(at, got) == std::string_view(buf, got);
        at += got;
    }
    ::close(fd);
    return same;
}

bool IsPendingName(std::string_view name, std::string_view base) {
    if (name.size() != base.size() + kPendingMark.size() + kSuffixLength ||
        !name.starts_with(base) || name.substr(base.size(), kPendingMark.size()) != kPendingMark) {
        return false;
    }
    return name.substr(name.size() - kSuffixLength).find_first_not_of(kAlphabet) ==
           std::string_view::npos;
}

// Removes the temporary files of saves of `target` that were killed before
// they finished. A save in progress holds a lock on its file, so only files
// nobody holds are removed.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string base = BaseNameOf(target);
    const auto closeDir = [](DIR* d) { ::closedir(d); };
    std::unique_ptr<DIR, decltype(closeDir)> dir(::opendir(DirectoryOf(target).c_str()), closeDir);
    if (!dir) {
        return;
    }
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsPendingName(entry->d_name, base)) {
            continue;
        }
        const int fd = ::openat(dirFd, entry->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
        ::close(fd);
    }
}

// Creates a new temporary file beside `target` and locks it, so that no other
// save takes it for a stale one.
bool CreateUnique(const std::string& target, PendingFile& file) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = target + std::string(kPendingMark) + RandomSuffix();
        // Mode 0666 lets the kernel apply the process umask to a new file.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
        if (fd < 0) {
            continue;
        }
        // Another save may have taken the file for stale between its creation
        // and the lock; then the name is no longer this file's.
        struct stat byFd {};
        struct stat byName {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &byFd) == 0 &&
            ::lstat(name.c_str(), &byName) == 0 && SameFile(byFd, byName)) {
            file.fd = fd;
            file.name = name;
            return true;
        }
        ::close(fd);
    }
    return false;
}

}  // namespace

bool AtomicFileWriter::Write(const std::string& path, std::string_view content) {
    if (path.empty()) {
        return false;
    }
    const std::string target = ResolveTarget(path);
    struct stat old {};
    bool existed = false;
    if (!MayReplace(target, old, existed)) {
        return false;
    }
    // What is already there is not written again, so nothing waits for the
    // disk (a start rewrites the settings file it has just read).
    if (existed && HoldsExactly(target, old, content)) {
        return true;
    }
    RemoveStaleTemporaries(target);

    PendingFile file;
    if (!CreateUnique(target, file)) {
        return false;
    }
    if (existed) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(file.fd, old.st_uid, old.st_gid) != 0) {
                // Only a privileged process may give a file away; keep ours.
            }
        }
        if (::fchmod(file.fd, old.st_mode & 07777) != 0) {
            return false;
        }
    }
    // The file is renamed while still open, so it stays locked to the end.
    if (!WriteAll(file.fd, content) || ::fsync(file.fd) != 0 || !file.RenameTo(target)) {
        return false;
    }
    return file.Close() && SyncDirectory(DirectoryOf(target));
}

}  // namespace velmora
