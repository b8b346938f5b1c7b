#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/NameIndex.h"

namespace velmora {

// The program's INI files: ordered sections of ordered key/value pairs with
// comments, loaded from and saved to one text file. Section and key names are
// compared without regard to ASCII letter case. Every user constructs a fresh
// object, loads, reads or writes a few values, saves after writing, and
// discards it, so the file on disk is the only shared state.
//
// Loading and every lookup take time in proportion to the text involved, not
// to the number of sections or keys: each name is indexed at its first
// occurrence. Loading never blocks: a file that is not a regular file loads
// as a missing one, and one larger than kMaxFileSize as an unreadable one,
// which Save then leaves whole unless Clear said it is to be rewritten.
class IniFile {
public:
    static constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;

    explicit IniFile(std::string path);
    virtual ~IniFile();

    bool Load();
    bool Save();

    int FindSection(std::string_view name) const;
    int FindKey(int section, std::string_view key) const;

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view def) const;
    int GetInt(std::string_view section, std::string_view key, int def) const;

    bool SetString(std::string_view section, std::string_view key, std::string_view value,
                   bool create);
    bool SetInt(std::string_view section, std::string_view key, int value);

    int AddSection(std::string_view name);
    void AddHeaderComment(std::string_view text);
    bool AddSectionComment(int section, std::string_view text);
    bool AddSectionComment(std::string_view section, std::string_view text);

    void Clear();

private:
    struct SectionRecord {
        std::vector<std::string> keys;
        std::vector<std::string> values;
        std::vector<std::string> comments;
        NameIndex keyIndex;
    };
    // SetString without the refusal of line-break bytes: Load stores what a
    // line holds, and a line never holds an LF.
    bool Store(std::string_view section, std::string_view key, std::string_view value, bool create);
    void ParseLine(std::string_view line, std::string& currentSection);
    std::string Render() const;

    bool caseInsensitive_ = true;
    std::string path_;
    std::vector<SectionRecord> sections_;
    std::vector<std::string> sectionNames_;
    std::vector<std::string> headerComments_;
    NameIndex sectionIndex_{caseInsensitive_};
    // The unread rest of a file whose parse stopped at a bad line, from that
    // line on; written back after the model so nothing is lost.
    std::string unreadTail_;
    // The file was too large to load; a Save would drop all of it, so Save
    // refuses until Clear says that the file is to be rewritten.
    bool unreadWhole_ = false;
};

}  // namespace velmora
