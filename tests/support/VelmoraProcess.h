#pragma once

// Runs copies of the real velmora executable, offscreen and unable to reach
// any real bus, from a directory of the test's own.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/Subprocess.h"

namespace velmora::test {

// Copies the built executable into the directory (its settings then live there) and
// returns the copy's path.
inline std::string InstallVelmoraCopy(const std::string& dir) {
    const std::string copy = dir + "/velmora";
    std::filesystem::copy_file(VELMORA_EXE, copy,
                               std::filesystem::copy_options::overwrite_existing);
    return copy;
}

inline std::vector<std::pair<std::string, std::string>> OffscreenEnvironment() {
    return {{"QT_QPA_PLATFORM", "offscreen"},
            {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmora-test-system-bus"},
            {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velmora-test-session-bus"}};
}

inline std::unique_ptr<Subprocess> StartVelmora(
    std::vector<std::string> argv, const std::string& workDir,
    std::vector<std::pair<std::string, std::string>> extraEnv = {}) {
    auto env = OffscreenEnvironment();
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    return std::make_unique<Subprocess>(std::move(argv), workDir, std::move(env));
}

}  // namespace velmora::test
