#pragma once

#include <string>

namespace velmora {

// The full path of the running executable, from its real location (the
// kernel's /proc/self/exe, however long).
std::string ExecutablePath();

// The executable's own directory, from its real location (not argv[0]),
// ending in '/'.
std::string GetAppDirectory();

// Where the settings files live: the application directory when it is
// writable and the program is not installed under a prefix (with its data in
// <prefix>/share/velmora), otherwise $XDG_CONFIG_HOME/velmora/ (default
// ~/.config/velmora/).
// Ends in '/'. The directory is created when a file is first saved there.
std::string SettingsDirectory();
// The same choice for a given application directory.
std::string SettingsDirectoryFor(const std::string& appDir);

// The per-user entry that starts the program with the desktop session:
// $XDG_CONFIG_HOME/autostart/Velmora.desktop (default ~/.config/autostart).
std::string AutostartEntryPath();

// "Velmora.ini" and "Process.ini" in the settings directory.
std::string SettingsFilePath();
std::string ProcessListFile();

// A file the program ships (for example "Sound/Wake up.mp3" or
// "help/index.html"): beside the executable in the build tree, under
// <prefix>/share/velmora/ when installed. Returns the path beside the
// executable when it is found in neither place.
std::string ShippedDataPath(const std::string& relative);

// The default alarm sound, "Sound/Wake up.mp3" of the shipped data.
std::string DefaultAlarmSound();

}  // namespace velmora
