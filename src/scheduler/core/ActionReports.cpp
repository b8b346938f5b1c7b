#include "scheduler/core/ActionReports.h"

#include <cstddef>

namespace velmora {

namespace {

// The most blocking programs a message names one by one.
constexpr std::size_t kMaxBlockersNamed = 8;

struct ActionWords {
    const char* failed;  // "Velmora could not ..."
    const char* missed;  // "... set for <when> did not run"
};

ActionWords WordsOf(int action) {
    switch (action) {
        case 0:
            return {"sound the alarm", "The alarm"};
        case 1:
            return {"shut down the computer", "The shutdown"};
        case 2:
            return {"log you off", "The logoff"};
        case 3:
            return {"restart the computer", "The restart"};
        case 4:
            return {"put the computer on stand by", "The stand by"};
        case 5:
            return {"hibernate the computer", "The hibernation"};
        case 6:
            return {"end the listed programs", "Ending the listed programs"};
        default:
            return {"carry out the scheduled action", "The scheduled action"};
    }
}

std::string CauseOf(const SessionOutcome& outcome) {
    switch (outcome.failure) {
        case SessionFailure::None:
            return {};
        case SessionFailure::NotAllowed:
            return "The system does not allow your account to do this.";
        case SessionFailure::NeedsPassword:
            return "The system asks for an administrator's password first, which a scheduled "
                   "action cannot give.";
        case SessionFailure::NotSupported:
            return "This computer does not support it.";
        case SessionFailure::Refused:
            return outcome.detail.empty()
                       ? "The system refused the request."
                       : "The system refused the request (" + outcome.detail + ").";
        case SessionFailure::NoLogoffPath:
            return "No way to log you off was found: no desktop session manager answered, and "
                   "the login service does not know this session.";
        case SessionFailure::Unreachable:
            return "The system's login service could not be reached.";
        case SessionFailure::NoAnswer:
            return "The system's login service did not answer in time.";
    }
    return {};
}

}  // namespace

std::string FailureReport(int action, const std::string& when, const SessionOutcome& outcome,
                          bool fallbackFailed) {
    std::string text = std::string("Velmora could not ") + WordsOf(action).failed +
                       " as scheduled for " + when + ".\n\n" + CauseOf(outcome);
    const auto& blockers = outcome.blockers;
    for (std::size_t i = 0; i < blockers.size() && i < kMaxBlockersNamed; ++i) {
        text += "\nBlocked by: " + (blockers[i].who.empty() ? "a program" : blockers[i].who);
        if (!blockers[i].why.empty()) {
            text += " (" + blockers[i].why + ")";
        }
    }
    if (blockers.size() > kMaxBlockersNamed) {
        text += "\nand " + std::to_string(blockers.size() - kMaxBlockersNamed) + " more programs";
    }
    if (fallbackFailed) {
        text += "\nPowering off instead did not work either.";
    }
    return text;
}

std::string MissedReport(int action, const std::string& when) {
    return std::string(WordsOf(action).missed) + " set for " + when +
           " did not run because the computer was asleep or its clock changed at that time.";
}

}  // namespace velmora
