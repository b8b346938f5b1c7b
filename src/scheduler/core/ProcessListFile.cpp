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

}  // namespace velmora
