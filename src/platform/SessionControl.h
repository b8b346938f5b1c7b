#pragma once

#include <string>
#include <vector>

namespace velmora {

// The session-ending requests. The numbers are the flags the scheduler passes.
enum class ExitRequest { Logoff = 0, Shutdown = 1, Reboot = 2 };

// Why a request was not carried out.
enum class SessionFailure {
    None,           // allowed, or accepted by the system
    NotAllowed,     // the system does not allow this user to do it
    NeedsPassword,  // allowed only after authentication, which a scheduled request cannot give
    NotSupported,   // the machine cannot do it
    Refused,        // asked, and the system answered with an error
    NoLogoffPath,   // no desktop session manager answers and no login session can be ended
    Unreachable,    // the bus or the service on it is not there
    NoAnswer,       // the service did not answer in time
};

// A program that holds a lock blocking the request, with the reason it gave.
struct SessionBlocker {
    std::string who;
    std::string why;
};

// What became of a request: its failure, the system's own words for a
// refusal (may be empty), and the programs that block such requests, when the
// request failed and they could be asked for.
struct SessionOutcome {
    SessionFailure failure = SessionFailure::None;
    std::string detail;
    std::vector<SessionBlocker> blockers;

    bool Ok() const { return failure == SessionFailure::None; }
    explicit operator bool() const { return Ok(); }
};

// Ends the session or changes the machine's power state. A scheduled request
// is non-interactive; an interactive one may let the system ask the user for
// authentication, so a "challenge" answer also counts as allowed.
// No request blocks for more than two seconds, whatever the bus does.
class SessionControl {
public:
    virtual ~SessionControl() = default;
    // Whether the request may be made: power-off for Shutdown, reboot for
    // Reboot, a reachable logoff path for Logoff.
    virtual SessionOutcome CanExit(ExitRequest request, bool interactive) = 0;
    // Asks for the request; Ok when the system accepted it.
    virtual SessionOutcome Exit(ExitRequest request, bool interactive) = 0;
    // The forced power-off fallback after a refused request.
    virtual SessionOutcome ForcePowerOff(bool interactive) = 0;
    // Stand by (suspend true) or hibernate (suspend false); force is carried
    // for the caller's sake and only the suspend flag chooses the state.
    virtual SessionOutcome SetSystemPowerState(bool suspend, bool force, bool interactive) = 0;
};

}  // namespace velmora
