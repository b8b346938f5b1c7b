#pragma once

#include <string>
#include <vector>

namespace velmora::test {

// The calls a fake received, in order. Several fakes may also write into one
// shared journal so a test can check the order of calls across them.
class Journal {
public:
    void Record(const std::string& entry) {
        calls.push_back(entry);
        if (shared != nullptr && shared != &calls) {
            shared->push_back(entry);
        }
    }

    std::vector<std::string> calls;
    std::vector<std::string>* shared = nullptr;
};

}  // namespace velmora::test
