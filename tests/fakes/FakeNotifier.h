#pragma once

#include <functional>
#include <string>

#include "Journal.h"
#include "platform/DesktopNotifier.h"

namespace velmora::test {

// Records "Show <title> <body>" and "Close"; `onDisable` is what the notice's
// "Disable" runs.
struct FakeNotifier : DesktopNotifier {
    void Show(const std::string& title, const std::string& body) override {
        journal.Record("Show", title, body);
    }
    void Close() override { journal.Record("Close"); }
    void SetOnDisable(std::function<void()> f) override { onDisable = std::move(f); }
    std::function<void()> onDisable;
    Journal journal;
};

}  // namespace velmora::test
