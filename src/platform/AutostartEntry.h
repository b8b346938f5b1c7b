#pragma once

#include <optional>
#include <string_view>

namespace velmora {

// The per-user entry that starts Velmora when the user's desktop session
// starts. Only its existence matters to the program, never its content.
class AutostartEntry {
public:
    virtual ~AutostartEntry() = default;
    // Whether the entry exists; nothing when that cannot be told.
    virtual std::optional<bool> Exists() const = 0;
    // Makes the entry hold `content`; false when it cannot be written.
    virtual bool Write(std::string_view content) = 0;
    // Removes the entry; true also when there was none.
    virtual bool Remove() = 0;
};

}  // namespace velmora
