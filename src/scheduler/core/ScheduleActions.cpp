#include "platform/MessagePrompt.h"
#include "platform/SessionControl.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/ScheduleView.h"
#include "scheduler/core/SettingsKeys.h"

namespace velmora {

namespace {

// The session request of an exit flag (the two share their numbers); false
// for a value that is none.
bool RequestOf(int flag, ExitRequest& request) {
    static_assert(static_cast<int>(ExitRequest::Logoff) == EWX_LOGOFF &&
                  static_cast<int>(ExitRequest::Shutdown) == EWX_SHUTDOWN &&
                  static_cast<int>(ExitRequest::Reboot) == EWX_REBOOT);
    if (flag < EWX_LOGOFF || flag > EWX_REBOOT) {
        return false;
    }
    request = static_cast<ExitRequest>(flag);
    return true;
}

}  // namespace

int ScheduleCore::ExitWindowsWithPrivilege(int flag, bool interactive) {
    ExitSession(flag, interactive);
    return 0;
}

ScheduleCore::ActionResult ScheduleCore::ExitSession(int flag, bool interactive) {
    // Both timers stop first and nothing here restarts them, whatever the
    // outcome: the session is about to end. No tick refreshes the reminder
    // from now on, so it goes too.
    s_.view.StopTimer(kCountdownTimer);
    s_.view.StopTimer(kClockTimer);
    reminder_.Hide();
    ExitRequest request{};
    if (!RequestOf(flag, request)) {
        return {{SessionFailure::NotSupported, {}, {}}};
    }
    ActionResult result{s_.session.CanExit(request, interactive)};
    if (!result.outcome) {
        return result;
    }
    result.outcome = s_.session.Exit(request, interactive);
    if (result.outcome || ReadSettingInt(kKeyAlternateOption, 0) == 0) {
        return result;
    }
    if (s_.session.ForcePowerOff(interactive)) {
        return {};  // powered off instead
    }
    result.fallbackFailed = true;
    return result;
}

bool ScheduleCore::EnableShutdownPrivilege(int flag, bool interactive) {
    ExitRequest request{};
    return RequestOf(flag, request) && s_.session.CanExit(request, interactive).Ok();
}

void ScheduleCore::TestShutdown() {
    s_.prompt.Information(EnableShutdownPrivilege(EWX_SHUTDOWN)
                              ? "Shutdown test passed successfully"
                              : "Shutdown has not pass the test");
}

void ScheduleCore::TestLogoff() {
    s_.prompt.Information(EnableShutdownPrivilege(EWX_LOGOFF) ? "Logoff test passed successfully"
                                                              : "Logoff has not pass the test");
}

void ScheduleCore::TestRestart() {
    s_.prompt.Information(EnableShutdownPrivilege(EWX_REBOOT) ? "Restart test passed successfully"
                                                              : "Restart has not pass the test");
}

}  // namespace velmora
