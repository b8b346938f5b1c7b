#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The process list file: section "Processes" with the image names under the
// keys File0, File1, ... numbered without gaps.
inline constexpr std::string_view kProcessesSection = "Processes";

// "File%d" of the index.
std::string ProcessListKey(int index);

// The names from File0 up to, not including, the first empty or missing
// value; anything after a gap is ignored. Empty when the file is missing.
std::vector<std::string> ReadProcessList(const std::string& path);

}  // namespace velmora
