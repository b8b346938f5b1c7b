#pragma once

namespace velmora {

// The session-ending requests. The numbers are the flags the scheduler passes.
enum class ExitRequest { Logoff = 0, Shutdown = 1, Reboot = 2 };

// Ends the session or changes the machine's power state. A scheduled request
// is non-interactive; an interactive one may let the system ask the user for
// authentication, so a "challenge" answer also counts as allowed.
// No request blocks for more than two seconds, whatever the bus does.
class SessionControl {
public:
    virtual ~SessionControl() = default;
    // Whether the request may be made: power-off for Shutdown, reboot for
    // Reboot, a reachable logoff path for Logoff.
    virtual bool CanExit(ExitRequest request, bool interactive) = 0;
    // Asks for the request; true when the system accepted it.
    virtual bool Exit(ExitRequest request, bool interactive) = 0;
    // The forced power-off fallback after a refused request.
    virtual bool ForcePowerOff(bool interactive) = 0;
    // Stand by (suspend true) or hibernate (suspend false); force is carried
    // for the caller's sake and only the suspend flag chooses the state.
    virtual bool SetSystemPowerState(bool suspend, bool force, bool interactive) = 0;
};

}  // namespace velmora
