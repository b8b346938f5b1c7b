#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Replaces a file's whole content so that a reader, a crash or a power cut
// never sees a torn file: the bytes go to a fresh temporary file beside the
// target ("<name>.saving-XXXXXX", locked while it is written), are synced to
// disk, and the temporary file is renamed over the target. The old file stays
// untouched when any step fails. Temporary files that a killed save left
// behind (unlocked ones of that pattern) are removed by the next save.
class AtomicFileWriter {
public:
    // Writes `content` to `path`. Only a regular file is ever replaced, and
    // only one this process may open for writing; anything else (a device, a
    // FIFO, a directory, a read-only file) makes the call fail untouched. A
    // missing file is created with 0666 less the umask; an existing one keeps
    // its permission bits (and, where allowed, its owner). A symbolic link is
    // followed, so the file it names is replaced and the link stays. The
    // parent directory must exist. A file that already holds exactly
    // `content` is left as it is. Returns false when any step fails,
    // including the final sync of the directory (the new content may then
    // already be in place, but it is not known to be durable).
    static bool Write(const std::string& path, std::string_view content);
};

}  // namespace velmora
