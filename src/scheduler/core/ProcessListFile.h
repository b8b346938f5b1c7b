#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/FileStamp.h"

namespace velmora {

// The process list file: section "Processes" with the image names under the
// keys File0, File1, ... numbered without gaps.
inline constexpr std::string_view kProcessesSection = "Processes";

// "File%d" of the index.
std::string ProcessListKey(int index);

// The names from File0 up to, not including, the first empty or missing
// value; anything after a gap is ignored. Empty when the file is missing.
std::vector<std::string> ReadProcessList(const std::string& path);

// The process list of one file, read again only when the file has changed
// since it was last read, so asking every second costs one stat call.
class ProcessListReader {
public:
    explicit ProcessListReader(std::string path) : path_(std::move(path)) {}

    // The names as ReadProcessList gives them for the file as it is now.
    const std::vector<std::string>& Names();
    // Counts the readings, so a user of the names can tell when they may
    // have changed without comparing them.
    std::uint64_t Version() const { return version_; }

private:
    std::string path_;
    // The file's stamp when `names_` were read; none when they must be read.
    std::optional<FileStamp> stamp_;
    std::vector<std::string> names_;
    std::uint64_t version_ = 0;
};

}  // namespace velmora
