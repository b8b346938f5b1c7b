#pragma once

#include <functional>
#include <string>

#include "Journal.h"
#include "platform/DesktopNotifier.h"

namespace velmora::test {

// Records "Show <title> <body>" and "Close"; Disable() is the user choosing
// the notice's "Disable".
class FakeNotifier : public DesktopNotifier {
public:
    void Show(const std::string& title, const std::string& body) override {
        journal.Record("Show", title, body);
    }
    void Close() override { journal.Record("Close"); }
    void SetOnDisable(std::function<void()> onDisable) override { onDisable_ = onDisable; }
    void Disable() {
        if (onDisable_) {
            onDisable_();
        }
    }
    Journal journal;

private:
    std::function<void()> onDisable_;
};

}  // namespace velmora::test
