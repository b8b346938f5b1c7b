#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Replaces a file's whole content so that a reader, a crash or a power cut
// never sees a torn file: the bytes go to a fresh temporary file beside the
// target ("<path>.XXXXXX"), are synced to disk, and the temporary file is
// renamed over the target. The old file stays untouched when any step fails.
class AtomicFileWriter {
public:
    // Writes `content` to `path`. An existing file keeps its permission bits
    // (and, where allowed, its owner); a new one gets 0666 less the umask. A
    // symbolic link is followed, so the file it names is replaced and the link
    // stays. The parent directory must exist. Returns false when any step
    // fails, including the final sync of the directory (the new content may
    // then already be in place, but it is not known to be durable).
    static bool Write(const std::string& path, std::string_view content);
};

}  // namespace velmora
