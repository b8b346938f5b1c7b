#pragma once

#include "Journal.h"
#include "platform/SessionControl.h"

namespace velmora::test {

// Records the requests ("CanExit 1 0", "Exit 2 1", "ForcePowerOff 0",
// "SetSystemPowerState 1 1 0") and answers as set. Nothing is ever ended.
class FakeSession : public SessionControl {
public:
    bool CanExit(ExitRequest request, bool interactive) override {
        journal.Record("CanExit", static_cast<int>(request), interactive);
        return canExit;
    }
    bool Exit(ExitRequest request, bool interactive) override {
        journal.Record("Exit", static_cast<int>(request), interactive);
        return exitAccepted;
    }
    bool ForcePowerOff(bool interactive) override {
        journal.Record("ForcePowerOff", interactive);
        return true;
    }
    bool SetSystemPowerState(bool suspend, bool force, bool interactive) override {
        journal.Record("SetSystemPowerState", suspend, force, interactive);
        return true;
    }
    bool canExit = true, exitAccepted = true;
    Journal journal;
};

}  // namespace velmora::test
