#pragma once

#include "Journal.h"
#include "platform/AlarmPlayer.h"

namespace velmora::test {

// Records "Play <path>", "Stop" and "Close"; a played file stays open until Close.
class FakeAlarm : public AlarmPlayer {
public:
    void Play(const std::string& path) override {
        journal.Record("Play", path);
        open = true;
    }
    void Stop() override { journal.Record("Stop"); }
    void Close() override {
        journal.Record("Close");
        open = false;
    }
    bool IsOpen() const override { return open; }
    bool open = false;
    Journal journal;
};

}  // namespace velmora::test
