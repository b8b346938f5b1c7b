#pragma once

#include <string>

#include "platform/SessionControl.h"

namespace velmora {

// The message for a scheduled action that could not be carried out: what
// could not be done and when it was set for, the cause in plain words, each
// program blocking it with its reason ("Blocked by: Software Updates
// (Installing updates)"), and whether the power-off fallback failed too.
// `when` is the target's date and time text.
std::string FailureReport(int action, const std::string& when, const SessionOutcome& outcome,
                          bool fallbackFailed);

// The message for a target that passed while no tick could catch it (the
// computer asleep, or its clock changed).
std::string MissedReport(int action, const std::string& when);

}  // namespace velmora
