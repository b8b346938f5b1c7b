#pragma once

#include <QMediaPlayer>
#include <QObject>
#include <QString>
#include <memory>

#include "platform/AlarmPlayer.h"

namespace velmora {

class MessagePrompt;

// The alarm sound, played by a hidden media player that is opened fresh for
// every alarm (or readied for it shortly before) and released on Close.
// Nothing of the media backend is loaded before the first player. A file it cannot play is reported
// once per Play with a stop message carrying the player's own error text; a path that is not a
// regular file (a FIFO, a device, a directory) is reported the same way, in words of the same kind,
// and never reaches the player. Nothing here waits for the sound: opening, playing and failing all
// proceed in the event loop.
class QtAlarmPlayer : public AlarmPlayer {
public:
    explicit QtAlarmPlayer(MessagePrompt& prompt);
    ~QtAlarmPlayer() override;
    QtAlarmPlayer(const QtAlarmPlayer&) = delete;
    QtAlarmPlayer& operator=(const QtAlarmPlayer&) = delete;

    void Prepare(const std::string& path) override;
    void Play(const std::string& path) override;
    void Stop() override;
    void Close() override;
    bool IsOpen() const override { return player_ != nullptr; }

    // The open player, null when none is open; for watching its state.
    const QMediaPlayer* Player() const { return player_.get(); }
    // Whether a player is readied and not yet played or released.
    bool IsPrepared() const { return prepared_ != nullptr; }

private:
    static std::unique_ptr<QMediaPlayer> OpenPlayer(const std::string& path);
    void ReportOnce(const QString& text);

    MessagePrompt& prompt_;
    // The playing (or ended) player with its audio output as its child,
    // made on Play or shortly before, so the sound goes to the output that
    // is the default at that moment.
    std::unique_ptr<QMediaPlayer> player_;
    // A player readied for preparedPath_; its errors are not reported.
    std::unique_ptr<QMediaPlayer> prepared_;
    std::string preparedPath_;
    // Receives the player's signals and carries the queued report, which
    // thereby survives Close but not this object.
    QObject context_;
    // Counts the plays, so signals of a closed player are told apart.
    unsigned generation_ = 0;
    bool reported_ = false;
};

}  // namespace velmora
