#pragma once

#include <string>

#include "Journal.h"
#include "platform/SessionControl.h"

namespace velmora::test {

// Records the session requests with their arguments ("CanExit 1 0",
// "Exit 2 1", "ForcePowerOff 0", "SetSystemPowerState 1 1"; requests as
// numbers, flags as 0/1) and answers as configured. Nothing is ever ended.
class FakeSession : public SessionControl {
public:
    bool CanExit(ExitRequest request, bool interactive) override {
        journal.Record("CanExit " + Args(request, interactive));
        return canExit;
    }
    bool Exit(ExitRequest request, bool interactive) override {
        journal.Record("Exit " + Args(request, interactive));
        return exitAccepted;
    }
    bool ForcePowerOff(bool interactive) override {
        journal.Record(std::string("ForcePowerOff ") + (interactive ? "1" : "0"));
        return forcePowerOffAccepted;
    }
    bool SetSystemPowerState(bool suspend, bool force) override {
        journal.Record(std::string("SetSystemPowerState ") + (suspend ? "1" : "0") + " " +
                       (force ? "1" : "0"));
        return powerStateAccepted;
    }

    bool canExit = true;
    bool exitAccepted = true;
    bool forcePowerOffAccepted = true;
    bool powerStateAccepted = true;
    Journal journal;

private:
    static std::string Args(ExitRequest request, bool interactive) {
        return std::to_string(static_cast<int>(request)) + " " + (interactive ? "1" : "0");
    }
};

}  // namespace velmora::test
