#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace velmora::test {

// The calls a fake received, as "Name arg ..." with flags as 0/1; also copied
// to `shared` when set, to check the order of calls across fakes.
struct Journal {
    template <typename... Args>
    void Record(const char* name, const Args&... args) {
        std::ostringstream entry;
        entry << name;
        ((entry << ' ' << args), ...);
        calls.push_back(entry.str());
        if (shared != nullptr) {
            shared->push_back(calls.back());
        }
    }
    std::vector<std::string> calls;
    std::vector<std::string>* shared = nullptr;
};

}  // namespace velmora::test
