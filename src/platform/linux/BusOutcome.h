#pragma once

#include <QDBusMessage>

#include "platform/SessionControl.h"

namespace velmora {

// What an answer on a bus means for a session request: Ok for a normal
// answer; a service that is not there or did not answer in time; a request
// that needs authentication; otherwise a refusal in the service's own words.
SessionOutcome OutcomeOf(const QDBusMessage& reply);

// The programs that hold a blocking lock on `what` ("shutdown" or "sleep")
// in the login manager's answer to ListInhibitors, in its order.
std::vector<SessionBlocker> BlockersIn(const QDBusMessage& reply, const QString& what);

}  // namespace velmora
