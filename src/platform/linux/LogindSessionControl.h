#pragma once

#include <QString>

#include "platform/SessionControl.h"
#include "platform/linux/BusDeadline.h"
#include "platform/linux/BusLink.h"
#include "platform/linux/DesktopLogout.h"

namespace velmora {

// Ends the session and changes the power state through the login manager on
// the system bus (power-off, reboot, suspend, hibernate, ending a session)
// and, for logging out, through the desktop's session manager on the session
// bus when one runs. The buses are found from DBUS_SYSTEM_BUS_ADDRESS and
// DBUS_SESSION_BUS_ADDRESS as the D-Bus library reads them, and are connected
// to when first needed, so constructing one costs nothing.
//
// No public method keeps the caller waiting for more than two seconds: each
// call on a bus waits a second at most, and all calls of one request share a
// deadline. A missing bus, a missing service and a service that never answers
// all end as a failure that says so, silently. A request that fails otherwise
// names the programs holding a lock that blocks it, when the time allows.
class LogindSessionControl : public SessionControl {
public:
    LogindSessionControl();

    SessionOutcome CanExit(ExitRequest request, bool interactive) override;
    SessionOutcome Exit(ExitRequest request, bool interactive) override;
    SessionOutcome ForcePowerOff(bool interactive) override;
    SessionOutcome SetSystemPowerState(bool suspend, bool force, bool interactive) override;

    // The time one public request may take in all.
    static constexpr int kRequestBudgetMs = 1800;

private:
    // Whether a Can...() question of the login manager allows the request.
    SessionOutcome Allowed(const QString& question, bool interactive, const BusDeadline& deadline);
    // Calls a login manager method; Ok on a normal answer.
    SessionOutcome Ask(const QString& method, const QVariantList& arguments,
                       const BusDeadline& deadline);
    // A failed outcome with the programs that hold a blocking `lock`.
    SessionOutcome WithBlockers(SessionOutcome outcome, const QString& lock,
                                const BusDeadline& deadline);
    // The login manager's id of the session this process runs in, empty when
    // it has none.
    QString CallerSession(const BusDeadline& deadline);
    bool KnowsCallerSession(const BusDeadline& deadline);

    BusLink system_;
    BusLink session_;
    DesktopLogout desktop_;
};

}  // namespace velmora
