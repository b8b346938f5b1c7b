#include "scheduler/core/ProcessListFile.h"

#include "storage/IniFile.h"

namespace velmora {

std::string ProcessListKey(int index) {
    return "File" + std::to_string(index);
}

std::vector<std::string> ReadProcessList(const std::string& path) {
    IniFile ini(path);
    ini.Load();
    std::vector<std::string> names;
    for (int k = 0;; ++k) {
        std::string name = ini.GetString(kProcessesSection, ProcessListKey(k), "");
        if (name.empty()) {
            break;
        }
        names.push_back(std::move(name));
    }
    return names;
}

const std::vector<std::string>& ProcessListReader::Names() {
    const FileStamp before = FileStamp::Of(path_);
    if (stamp_ != before) {
        names_ = ReadProcessList(path_);
        ++version_;
        // A file that changed while it was read is read again next time.
        stamp_ = before;
        if (FileStamp::Of(path_) != before) {
            stamp_.reset();
        }
    }
    return names_;
}

}  // namespace velmora
