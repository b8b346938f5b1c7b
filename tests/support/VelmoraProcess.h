#pragma once

// Copies of the real velmora executable, run offscreen from a directory of
// the test's own (their settings, and unless `env` says otherwise their
// one-instance lock, then live there), unable to reach any bus.
#include <filesystem>
#include <memory>
#include <string>

#include "support/Subprocess.h"

namespace velmora::test {

inline std::string InstallVelmoraCopy(const std::string& dir) {
    const std::string copy = dir + "/velmora";
    std::filesystem::copy_file(VELMORA_EXE, copy,
                               std::filesystem::copy_options::overwrite_existing);
    return copy;
}

inline std::unique_ptr<Subprocess> StartVelmora(std::vector<std::string> argv,
                                                const std::string& workDir,
                                                Subprocess::Env env = {}) {
    env.insert(env.begin(),  // the caller's own settings come later and win
               {{"XDG_RUNTIME_DIR", workDir},
                {"QT_QPA_PLATFORM", "offscreen"},
                {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmora-test-system-bus"},
                {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velmora-test-session-bus"}});
    return std::make_unique<Subprocess>(std::move(argv), workDir, env);
}

}  // namespace velmora::test
