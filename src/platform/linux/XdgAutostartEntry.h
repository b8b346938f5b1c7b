#pragma once

#include <string>

#include "platform/AutostartEntry.h"

namespace velmora {

// The entry as a file in the desktop's autostart folder (normally
// $XDG_CONFIG_HOME/autostart/Velmora.desktop). The file is never opened for
// reading; it is replaced atomically, and only when it is a regular file or
// missing, so a FIFO, a device or a link placed there is never written
// through.
class XdgAutostartEntry : public AutostartEntry {
public:
    explicit XdgAutostartEntry(std::string path);

    std::optional<bool> Exists() const override;
    bool Write(std::string_view content) override;
    bool Remove() override;

private:
    std::string path_;
};

}  // namespace velmora
