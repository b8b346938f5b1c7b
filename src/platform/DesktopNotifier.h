#pragma once

#include <functional>
#include <string>

namespace velmora {

// The desktop's notifications: the program's one notice at a time, urgent,
// with a "Disable" button. Nothing here ever waits for the desktop, and a
// desktop that shows no notifications changes nothing else.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    // Shows the notice, or replaces the one shown, with a title and a plain
    // text body.
    virtual void Show(const std::string& title, const std::string& body) = 0;
    // Closes the notice shown, if any.
    virtual void Close() = 0;
    // What runs when the user chooses "Disable" on the notice; replaces what
    // was set before, and an empty function runs nothing.
    virtual void SetOnDisable(std::function<void()> onDisable) = 0;
};

}  // namespace velmora
