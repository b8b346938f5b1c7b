#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Checks, with plain sockets and a bounded wait, that a bus at a D-Bus address
// is alive before the D-Bus library is asked to connect to it: that library
// waits far longer than the window may freeze when a socket accepts the
// connection but nobody serves it, or when a host never answers.
class BusProbe {
public:
    // True when any entry of the address list accepts a connection and
    // answers the first line of the authentication exchange within timeoutMs,
    // or when an entry uses a transport this probe cannot reach itself (the
    // library is then left to try it).
    static bool Answers(std::string_view address, int timeoutMs);

    // Escapes a value for use inside a D-Bus address (path=..., host=...).
    static std::string EscapeValue(std::string_view value);
};

}  // namespace velmora
