#pragma once

#include <string>

namespace velmora {

class MessagePrompt;
class ProcessTable;

// What the process manager works on: the settings file (its "Auto refresh"
// choice), the process list file it writes the selection to, the machine's
// process table and the message boxes (real ones from the program, fakes in
// tests).
struct ProcessManagerServices {
    std::string settingsFile;     // Velmora.ini
    std::string processListFile;  // Process.ini
    ProcessTable& processes;
    MessagePrompt& prompt;
};

}  // namespace velmora
