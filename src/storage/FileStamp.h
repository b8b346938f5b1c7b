#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// What tells one state of a file from another without reading it: its device
// and inode, size, type and permission bits, and its modification and
// status-change times to the nanosecond. A file replaced by a rename, written
// to, truncated or deleted gets a different stamp. Symbolic links are
// followed; every missing or unreachable file has the same stamp.
struct FileStamp {
    static FileStamp Of(const std::string& path);

    bool operator==(const FileStamp&) const = default;

    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint32_t mode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSec = 0;
    std::int64_t modifiedNsec = 0;
    std::int64_t changedSec = 0;
    std::int64_t changedNsec = 0;
};

}  // namespace velmora
