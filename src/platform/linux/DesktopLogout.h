#pragma once

#include <optional>

#include "platform/SessionControl.h"
#include "platform/linux/BusDeadline.h"

namespace velmora {

class BusLink;
struct DesktopManager;

// Logging out through the desktop's own session manager on the session bus,
// which closes the applications of the session in order. The managers are
// tried in a fixed order: GNOME, KDE (current, then older), Xfce.
class DesktopLogout {
public:
    explicit DesktopLogout(BusLink& sessionBus) : bus_(sessionBus) {}

    // Whether one of the managers owns its name on the session bus.
    bool Available(const BusDeadline& deadline);
    // Asks the first manager present to log out at once, without asking the
    // user: how it answered, or nothing when no manager is present.
    std::optional<SessionOutcome> Request(const BusDeadline& deadline);

private:
    const DesktopManager* FindManager(const BusDeadline& deadline);

    BusLink& bus_;
};

}  // namespace velmora
