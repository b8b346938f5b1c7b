#pragma once

#include <functional>
#include <string>

class QString;
class QWidget;

namespace velmora {

class AutostartEntry;

// What the settings sheet works on: the settings file, the autostart entry,
// and the dialogs it opens, which tests answer in their place.
struct SettingsSheetServices {
    std::string settingsFile;       // Velmora.ini
    std::string defaultAlarmSound;  // filled in when Alarm is chosen with no sound
    std::string executablePath;     // the program the autostart entry starts
    AutostartEntry& autostart;
    // "&Select processes": runs the process manager modally.
    std::function<void()> runProcessManager;
    // ". . .": asks for an existing file, offering those that `filter`
    // ("Name (*.a;*.b)") matches; returns its path, empty when the user
    // cancels. When unset, the platform's open-file dialog asks.
    std::function<std::string(QWidget* owner, const QString& filter)> chooseSoundFile;
};

}  // namespace velmora
