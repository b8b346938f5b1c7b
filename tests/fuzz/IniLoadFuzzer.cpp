// Arbitrary bytes for IniFile::Load: whatever loads, and whether it loads, the
// bytes a save writes load and save again to the same bytes and result.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "storage/IniFile.h"

namespace {

std::string LoadAndSave(const std::string& path, const std::string& bytes, bool& loaded) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    velmora::IniFile ini(path);
    loaded = ini.Load();
    if (!ini.Save()) {
        std::abort();
    }
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two files in the temporary directory, which tools/fuzz-ini.sh makes a
    // fresh one on a memory file system and removes afterwards.
    const char* tmp = std::getenv("TMPDIR");
    static const std::string base =
        std::string(tmp != nullptr ? tmp : "/tmp") + "/velmora-fuzz-" + std::to_string(getpid());
    bool loaded = false, reloaded = false;
    const std::string once = LoadAndSave(base + "-a.ini", std::string(data, data + size), loaded);
    if (LoadAndSave(base + "-b.ini", once, reloaded) != once || reloaded != loaded) {
        std::abort();
    }
    return 0;
}
