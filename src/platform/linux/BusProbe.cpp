#include "platform/linux/BusProbe.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace velmora {

namespace {

using SteadyClock = std::chrono::steady_clock;

// One entry of an address list: "transport:key=value,key=value".
struct AddressEntry {
    std::string transport;
    std::map<std::string, std::string> params;
};

// A socket descriptor closed when it goes out of scope.
class SocketFd {
public:
    explicit SocketFd(int fd) : fd_(fd) {}
    ~SocketFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    SocketFd(const SocketFd&) = delete;
    SocketFd& operator=(const SocketFd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(separator, start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > start) {
            parts.push_back(text.substr(start, stop - start));
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return parts;
}

// Entries that cannot be parsed are left out: the library would refuse them too.
std::vector<AddressEntry> ParseAddress(std::string_view address) {
    std::vector<AddressEntry> entries;
    for (std::string_view text : Split(address, ';')) {
        const std::size_t colon = text.find(':');
        if (colon == std::string_view::npos || colon == 0) {
            continue;
        }
        AddressEntry entry{std::string(text.substr(0, colon)), {}};
        bool valid = true;
        for (std::string_view pair : Split(text.substr(colon + 1), ',')) {
            const std::size_t equals = pair.find('=');
            std::optional<std::string> value;
            if (equals != std::string_view::npos && equals > 0) {
                value = Unescape(pair.substr(equals + 1));
            }
            if (!value) {
                valid = false;
                break;
            }
            entry.params[std::string(pair.substr(0, equals))] = *value;
        }
        if (valid) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

int MillisecondsLeft(SteadyClock::time_point end) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - SteadyClock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

bool WaitFor(int fd, short events, SteadyClock::time_point end) {
    for (;;) {
        pollfd pfd{fd, events, 0};
        const int ready = ::poll(&pfd, 1, MillisecondsLeft(end));
        if (ready > 0) {
            return (pfd.revents & events) != 0;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

// Connects without blocking, then sends the opening of the authentication
// exchange (a NUL byte and an AUTH line without mechanism, which any bus
// answers with the list of mechanisms it accepts) and waits for that answer.
bool Reaches(int family, const sockaddr* addr, socklen_t length, SteadyClock::time_point end) {
    SocketFd fd(::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (fd.get() < 0) {
        return false;
    }
    if (::connect(fd.get(), addr, length) != 0) {
        if (errno != EINPROGRESS || !WaitFor(fd.get(), POLLOUT, end)) {
            return false;
        }
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            return false;
        }
    }
    static constexpr char kHello[] = "\0AUTH\r\n";
    const ssize_t hello = sizeof kHello - 1;
    if (::send(fd.get(), kHello, hello, MSG_NOSIGNAL) != hello || !WaitFor(fd.get(), POLLIN, end)) {
        return false;
    }
    char answer[64];
    return ::recv(fd.get(), answer, sizeof answer, 0) > 0;
}

bool ReachesUnix(const AddressEntry& entry, SteadyClock::time_point end) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const auto path = entry.params.find("path");
    const auto abstract = entry.params.find("abstract");
    std::string name;
    std::size_t offset = 0;
    if (path != entry.params.end()) {
        name = path->second;
    } else if (abstract != entry.params.end()) {
        name = abstract->second;
        offset = 1;  // an abstract name starts with a NUL byte
    } else {
        return false;  // tmpdir, dir and runtime name places to listen, not to connect
    }
    if (name.empty() || offset + name.size() >= sizeof addr.sun_path) {
        return false;
    }
    std::memcpy(addr.sun_path + offset, name.data(), name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                               name.size() + (offset == 0 ? 1 : 0));
    return Reaches(AF_UNIX, reinterpret_cast<const sockaddr*>(&addr), length, end);
}

bool ReachesTcp(const AddressEntry& entry, SteadyClock::time_point end) {
    const auto host = entry.params.find("host");
    const auto port = entry.params.find("port");
    const auto family = entry.params.find("family");
    if (port == entry.params.end()) {
        return false;
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
    hints.ai_family = AF_UNSPEC;
    if (family != entry.params.end()) {
        hints.ai_family = family->second == "ipv6" ? AF_INET6 : AF_INET;
    }
    addrinfo* found = nullptr;
    const std::string hostName = host == entry.params.end() ? "localhost" : host->second;
    if (::getaddrinfo(hostName.c_str(), port->second.c_str(), &hints, &found) != 0) {
        return false;
    }
    bool reached = false;
    for (const addrinfo* ai = found; ai != nullptr && !reached; ai = ai->ai_next) {
        reached = Reaches(ai->ai_family, ai->ai_addr, ai->ai_addrlen, end);
    }
    ::freeaddrinfo(found);
    return reached;
}

}  // namespace

bool BusProbe::Answers(std::string_view address, int timeoutMs) {
    const SteadyClock::time_point end = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    for (const AddressEntry& entry : ParseAddress(address)) {
        if (entry.transport == "unix") {
            if (ReachesUnix(entry, end)) {
                return true;
            }
        } else if (entry.transport == "tcp") {
            if (ReachesTcp(entry, end)) {
                return true;
            }
        } else {
            return true;  // a transport only the library knows how to open
        }
        if (MillisecondsLeft(end) == 0) {
            return false;
        }
    }
    return false;
}

std::string BusProbe::EscapeValue(std::string_view value) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= 'A' && byte <= 'Z') || std::strchr("-_/.\\*", c) != nullptr;
        if (plain && byte != 0) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

}  // namespace velmora
