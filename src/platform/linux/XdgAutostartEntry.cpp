#include "platform/linux/XdgAutostartEntry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "storage/AtomicFileWriter.h"

namespace velmora {

namespace {

// lstat of the entry: 0 when it exists, -1 when it is missing, -2 when that
// cannot be told.
int Look(const std::string& path, struct stat& st) {
    if (::lstat(path.c_str(), &st) == 0) {
        return 0;
    }
    return errno == ENOENT || errno == ENOTDIR ? -1 : -2;
}

}  // namespace

XdgAutostartEntry::XdgAutostartEntry(std::string path) : path_(std::move(path)) {}

std::optional<bool> XdgAutostartEntry::Exists() const {
    struct stat st {};
    const int found = Look(path_, st);
    if (found == -2) {
        return std::nullopt;
    }
    return found == 0;
}

bool XdgAutostartEntry::Write(std::string_view content) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    struct stat st {};
    const int found = Look(path_, st);
    if (found == -2 || (found == 0 && !S_ISREG(st.st_mode))) {
        return false;
    }
    return AtomicFileWriter::Write(path_, content);
}

bool XdgAutostartEntry::Remove() {
    struct stat st {};
    const int found = Look(path_, st);
    if (found == -1) {
        return true;
    }
    if (found == -2 || S_ISDIR(st.st_mode)) {
        return false;
    }
    return ::unlink(path_.c_str()) == 0 || errno == ENOENT;
}

}  // namespace velmora
