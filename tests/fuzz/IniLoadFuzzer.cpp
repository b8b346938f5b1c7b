// Arbitrary bytes for IniFile::Load: whatever loads, and whether it loads, the
// bytes a save writes load and save again to the same bytes and result.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "storage/IniFile.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A private directory for the files of every run, removed at exit.
struct Workspace {
    Workspace() {
        const char* tmp = std::getenv("TMPDIR");
        dir = std::string(tmp != nullptr ? tmp : "/tmp") + "/velmora-fuzz-XXXXXX";
        Check(::mkdtemp(dir.data()) != nullptr);
    }
    ~Workspace() { std::filesystem::remove_all(dir); }
    std::string dir;
};

std::string LoadAndSave(const std::string& path, const std::string& bytes, bool& loaded) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    velmora::IniFile ini(path);
    loaded = ini.Load();
    Check(ini.Save());
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Workspace ws;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    bool loaded = false, reloaded = false;
    const std::string normalised = LoadAndSave(ws.dir + "/a.ini", bytes, loaded);
    Check(LoadAndSave(ws.dir + "/b.ini", normalised, reloaded) == normalised);
    Check(reloaded == loaded);
    return 0;
}
