#pragma once

#include "Journal.h"
#include "platform/SessionControl.h"

namespace velmora::test {

// Records the requests ("CanExit 1 0", "Exit 2 1", "ForcePowerOff 0",
// "SetSystemPowerState 1 1 0") and answers as set. Nothing is ever ended.
class FakeSession : public SessionControl {
public:
    SessionOutcome CanExit(ExitRequest request, bool interactive) override {
        journal.Record("CanExit", static_cast<int>(request), interactive);
        return canExit;
    }
    SessionOutcome Exit(ExitRequest request, bool interactive) override {
        journal.Record("Exit", static_cast<int>(request), interactive);
        return exit;
    }
    SessionOutcome ForcePowerOff(bool interactive) override {
        journal.Record("ForcePowerOff", interactive);
        return powerOff;
    }
    SessionOutcome SetSystemPowerState(bool suspend, bool force, bool interactive) override {
        journal.Record("SetSystemPowerState", suspend, force, interactive);
        return sleep;
    }
    SessionOutcome canExit, exit, powerOff, sleep;
    Journal journal;
};

}  // namespace velmora::test
