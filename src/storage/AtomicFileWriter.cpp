#include "storage/AtomicFileWriter.h"

#include <fcntl.h>
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
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
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

bool CreateUnique(const std::string& target, PendingFile& file) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target + "." + RandomSuffix();
        // Mode 0666 lets the kernel apply the process umask to a new file.
        file.fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file.fd >= 0) {
            file.name = std::move(name);
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
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
    const bool existed = ::stat(target.c_str(), &old) == 0;

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
    if (!WriteAll(file.fd, content) || ::fsync(file.fd) != 0 || !file.Close()) {
        return false;
    }
    if (!file.RenameTo(target)) {
        return false;
    }
    return SyncDirectory(DirectoryOf(target));
}

}  // namespace velmora
