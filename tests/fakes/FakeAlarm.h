#pragma once

#include <string>

#include "Journal.h"
#include "platform/AlarmPlayer.h"

namespace velmora::test {

// Records "Play <path>", "Stop" and "Close"; a played file stays open until
// Close.
class FakeAlarm : public AlarmPlayer {
public:
    void Play(const std::string& path) override {
        journal.Record("Play " + path);
        open = true;
        playing = true;
    }
    void Stop() override {
        journal.Record("Stop");
        playing = false;
    }
    void Close() override {
        journal.Record("Close");
        open = false;
        playing = false;
    }
    bool IsOpen() const override { return open; }

    bool open = false;
    bool playing = false;
    Journal journal;
};

}  // namespace velmora::test
