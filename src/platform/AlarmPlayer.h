#pragma once

#include <string>

namespace velmora {

// The hidden player of the alarm sound. It reports a file it cannot play to
// the user itself, once, with the player's own error text.
class AlarmPlayer {
public:
    virtual ~AlarmPlayer() = default;
    // Readies the player for a Play of this file that comes soon, so the
    // sound then starts at once. Reports nothing: a file that cannot be
    // played is reported by Play. Close releases what was readied.
    virtual void Prepare(const std::string& /*path*/) {}
    // Opens the file and plays it once from the beginning.
    virtual void Play(const std::string& path) = 0;
    // Stops playback; nothing happens when nothing is open.
    virtual void Stop() = 0;
    // Closes the file and forgets it, and releases what Prepare readied;
    // nothing happens when nothing is open.
    virtual void Close() = 0;
    // Whether a file is open (playing or ended, until Close).
    virtual bool IsOpen() const = 0;
};

}  // namespace velmora
