#pragma once

#include <memory>
#include <string>

#include "platform/AlarmPlayer.h"

namespace velmora {

class MessagePrompt;

// The program's alarm player. The player itself, with the media libraries
// it needs, lives in a library of its own that is loaded the first time an
// alarm is readied or played, so a start and the hours of waiting go without
// them; once loaded it stays. A library that cannot be loaded is reported at
// Play, once, like a file the player cannot play.
class LazyAlarmPlayer : public AlarmPlayer {
public:
    explicit LazyAlarmPlayer(MessagePrompt& prompt, std::string libraryPath = LibraryPath());
    ~LazyAlarmPlayer() override;
    LazyAlarmPlayer(const LazyAlarmPlayer&) = delete;
    LazyAlarmPlayer& operator=(const LazyAlarmPlayer&) = delete;

    // Beside the executable in the build tree, <prefix>/<libdir>/velmora
    // when installed.
    static std::string LibraryPath();

    void Prepare(const std::string& path) override;
    void Play(const std::string& path) override;
    void Stop() override;
    void Close() override;
    bool IsOpen() const override { return player_ && player_->IsOpen(); }

    bool IsLoaded() const { return player_ != nullptr; }

private:
    bool Load();

    MessagePrompt& prompt_;
    std::string libraryPath_;
    std::unique_ptr<AlarmPlayer> player_;
};

}  // namespace velmora
