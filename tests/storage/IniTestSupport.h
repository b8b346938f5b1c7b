#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "storage/IniFile.h"

namespace velmora::test {

// A fresh directory under the temporary directory, removed with its content.
class TempDir {
public:
    TempDir() {
        std::string name = (std::filesystem::temp_directory_path() / "velmora-ini-XXXXXX").string();
        path_ = ::mkdtemp(name.data()) != nullptr ? name : "";
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Saves the model and returns the bytes it wrote.
inline std::string SavedBytes(IniFile& ini, const std::string& path) {
    EXPECT_TRUE(ini.Save());
    return ReadBytes(path);
}

}  // namespace velmora::test
