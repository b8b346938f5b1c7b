#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "storage/FileStamp.h"

namespace velmora {

// One integer of the settings file's "General Settings", read again only when
// the file has changed since it was last read, so asking every second costs
// one stat call whatever the file's size.
class CachedSetting {
public:
    CachedSetting(std::string path, std::string_view key, int def)
        : path_(std::move(path)), key_(key), def_(def) {}

    // The value as a fresh read of the file as it is now would give it.
    int Value();

private:
    std::string path_;
    std::string key_;
    int def_;
    std::optional<FileStamp> stamp_;  // the file's stamp when `value_` was read
    int value_ = 0;
};

}  // namespace velmora
