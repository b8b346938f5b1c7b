// Feeds arbitrary bytes to IniFile::Load and checks what must hold for any
// input: saving what was loaded is a fixed point of load and save, writes
// holding line breaks are refused, and a stored value reads back after a
// save and a reload.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "storage/IniFile.h"

namespace {

using velmora::IniFile;

// A private directory for the files of every run, removed at exit.
struct Workspace {
    Workspace() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/velmora-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        dir = pattern;
        input = dir + "/input.ini";
        copy = dir + "/copy.ini";
    }
    ~Workspace() {
        ::unlink(input.c_str());
        ::unlink(copy.c_str());
        ::rmdir(dir.c_str());
    }
    std::string dir, input, copy;
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Check(static_cast<bool>(out));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A key that the written line "key=value" gives back unchanged on reading.
bool ReadsBackAsKey(std::string_view key) {
    return key.find_first_of(";#[=") == std::string_view::npos &&
           (key.empty() || (static_cast<unsigned char>(key[0]) >= 0x20 && key[0] != 0x7F));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Workspace ws;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    WriteBytes(ws.input, bytes);

    IniFile first(ws.input);
    const bool firstLoaded = first.Load();
    first.GetString("General Settings", "AlarmFile", "");
    first.GetInt("Processes", "File0", -1);
    Check(first.Save());
    const std::string normalised = ReadBytes(ws.input);

    WriteBytes(ws.copy, normalised);
    IniFile second(ws.copy);
    Check(second.Load() == firstLoaded);
    Check(second.Save());
    Check(ReadBytes(ws.copy) == normalised);

    // Names and a value cut from the input itself.
    const std::size_t n = size < 48 ? size : 48;
    const std::string_view section = bytes.substr(0, n / 3);
    const std::string_view key = bytes.substr(n / 3, n / 3);
    const std::string_view value = bytes.substr(2 * (n / 3), n - 2 * (n / 3));
    const bool refused = HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value);
    Check(second.SetString(section, key, value, true) != refused);
    if (!refused) {
        Check(second.GetString(section, key, "\r") == value);
    }
    const int number = static_cast<int>(size * 2654435761u);
    Check(second.SetInt("General Settings", "Action", number));
    Check(second.GetInt("General Settings", "Action", 0) == number);
    Check(second.Save());

    // A key holding a marker byte legitimately reads back as something else
    // (a comment, a header, a stop) and may carry the lines after it along.
    if (refused || ReadsBackAsKey(key)) {
        IniFile third(ws.copy);
        third.Load();
        Check(third.GetInt("general settings", "action", 0) == number);
        Check(refused || third.GetString(section, key, "\r") == value);
    }
    return 0;
}
