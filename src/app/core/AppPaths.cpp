#include "app/core/AppPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace velmora {
namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

// $XDG_CONFIG_HOME/, or ~/.config/ when it is unset or not an absolute path
// (the base directory rules ignore relative values).
std::string XdgConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return WithSlash(xdg);
    }
    const char* home = std::getenv("HOME");
    return WithSlash(home != nullptr && home[0] != '\0' ? home : "/tmp") + ".config/";
}

// A copy installed under a prefix finds its shipped data in
// <prefix>/share/velmora. Such a copy keeps its settings per user even when
// its folder is writable (for root, or a prefix in the user's home): settings
// in /usr/bin would be shared by every user and outlive the package.
bool IsInstalledCopy(const std::string& appDir) {
    std::error_code ec;
    return fs::is_directory(appDir + "../share/velmora", ec);
}

}  // namespace

std::string ExecutablePath() {
    // The kernel's link to the running image: right however the program was
    // started (through PATH, a relative path or a symbolic link).
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        exe = fs::current_path(ec) / "velmora";
    }
    return exe.string();
}

std::string GetAppDirectory() {
    return WithSlash(fs::path(ExecutablePath()).parent_path().string());
}

std::string SettingsDirectory() { return SettingsDirectoryFor(GetAppDirectory()); }

std::string SettingsDirectoryFor(const std::string& appDir) {
    if (!IsInstalledCopy(appDir) && ::access(appDir.c_str(), W_OK) == 0) {
        return appDir;
    }
    const std::string dir = XdgConfigHome() + "velmora/";
    std::error_code ec;
    fs::create_directories(dir, ec);  // a failure shows up as a failed save
    return dir;
}

std::string AutostartEntryPath() { return XdgConfigHome() + "autostart/Velmora.desktop"; }

std::string SettingsFilePath() { return SettingsDirectory() + "Velmora.ini"; }

std::string ProcessListFile() { return SettingsDirectory() + "Process.ini"; }

std::string ShippedDataPath(const std::string& relative) {
    const std::string appDir = GetAppDirectory();
    const std::string candidates[] = {
        appDir + relative,
        appDir + "../share/velmora/" + relative,
        std::string(VELMORA_DATADIR) + "/" + relative,
    };
    std::error_code ec;
    for (const std::string& candidate : candidates) {
        if (fs::exists(candidate, ec)) {
            return fs::path(candidate).lexically_normal().string();
        }
    }
    return candidates[0];
}

std::string DefaultAlarmSound() { return ShippedDataPath("Sound/Wake up.mp3"); }

}  // namespace velmora
