#include "storage/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <utility>

#include "storage/AtomicFileWriter.h"

namespace velmora {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A line may start with any byte from the space up, except DEL. Bytes of
// 0x80 and above count as printable so that UTF-8 names load.
bool StartsPrintable(unsigned char c) {
    return c >= 0x20 && c != 0x7F;
}

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Text to int the way atoi reads it (white space, optional sign, digits up to
// the first other byte; none gives 0), except that a number out of range is
// clamped instead of being undefined.
int ParseIntLikeAtoi(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

enum class ReadResult { Read, Missing, TooLarge };

// Appends what the open file holds, stopping one byte past `limit`. A read
// error ends the content at the last complete line read before it.
void ReadBounded(int fd, std::size_t limit, std::string& content) {
    char buffer[65536];
    while (content.size() <= limit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const std::size_t lastLf = content.rfind('\n');
            content.resize(lastLf == std::string::npos ? 0 : lastLf + 1);
        }
        if (got <= 0) {
            return;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

// Reads the whole file without ever blocking and without reading more than
// IniFile::kMaxFileSize bytes. Anything but a regular file (a FIFO, a device,
// a directory) counts as missing.
ReadResult ReadFile(const std::string& path, std::string& content) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return ReadResult::Missing;
    }
    struct stat st {};
    ReadResult result = ReadResult::Missing;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        result = ReadResult::TooLarge;
        if (static_cast<std::size_t>(st.st_size) <= IniFile::kMaxFileSize) {
            content.reserve(static_cast<std::size_t>(st.st_size));
            ReadBounded(fd, IniFile::kMaxFileSize, content);
            // A file that grew past the limit while it was read is too large too.
            result =
                content.size() <= IniFile::kMaxFileSize ? ReadResult::Read : ReadResult::TooLarge;
        }
    }
    ::close(fd);
    return result;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile::~IniFile() = default;

bool IniFile::Load() {
    std::string content;
    const ReadResult read = ReadFile(path_, content);
    if (read == ReadResult::TooLarge) {
        unreadWhole_ = true;
    }
    if (read != ReadResult::Read) {
        return false;
    }
    // A later Save writes back what this read leaves unparsed, and only that.
    unreadTail_.clear();
    std::string currentSection;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t lf = content.find('\n', start);
        const std::size_t end = lf == std::string::npos ? content.size() : lf;
        std::string_view line(content.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            const char first = line.front();
            if (!StartsPrintable(static_cast<unsigned char>(first))) {
                std::printf("Failing on char %d\n",
                            static_cast<int>(static_cast<signed char>(first)));
                std::fflush(stdout);
                unreadTail_ = content.substr(start);
                return false;
            }
            ParseLine(line, currentSection);
        }
        start = end + 1;
    }
    return !sectionNames_.empty();
}

void IniFile::ParseLine(std::string_view line, std::string& currentSection) {
    const std::size_t special = line.find_first_of(";#[=");
    if (special == std::string_view::npos) {
        return;
    }
    switch (line[special]) {
        case ';':
        case '#': {
            const std::string_view text = line.substr(special + 1);
            if (sectionNames_.empty()) {
                AddHeaderComment(text);
            } else {
                AddSectionComment(std::string_view(currentSection), text);
            }
            break;
        }
        case '=':
            Store(currentSection, line.substr(0, special), line.substr(special + 1), true);
            break;
        default: {  // '['
            const std::size_t close = line.rfind(']');
            if (close == std::string_view::npos || close <= special) {
                return;
            }
            currentSection.assign(line.substr(special + 1, close - special - 1));
            AddSection(currentSection);
            break;
        }
    }
}

std::string IniFile::Render() const {
    std::string out;
    for (const std::string& comment : headerComments_) {
        out.append(";").append(comment).append(kLineEnd);
    }
    if (!headerComments_.empty()) {
        out.append(kLineEnd);
    }
    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const SectionRecord& record = sections_[s];
        out.append("[").append(sectionNames_[s]).append("]").append(kLineEnd);
        for (const std::string& comment : record.comments) {
            out.append(";").append(comment).append(kLineEnd);
        }
        for (std::size_t k = 0; k < record.keys.size(); ++k) {
            out.append(record.keys[k]).append("=").append(record.values[k]).append(kLineEnd);
        }
        out.append(kLineEnd);
    }
    return out;
}

bool IniFile::Save() {
    if (unreadWhole_) {
        return false;
    }
    return AtomicFileWriter::Write(path_, Render() + unreadTail_);
}

int IniFile::FindSection(std::string_view name) const {
    return sectionIndex_.Find(name, sectionNames_);
}

int IniFile::FindKey(int section, std::string_view key) const {
    if (section < 0 || static_cast<std::size_t>(section) >= sections_.size()) {
        return -1;
    }
    const SectionRecord& record = sections_[static_cast<std::size_t>(section)];
    return record.keyIndex.Find(key, record.keys);
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view def) const {
    const int s = FindSection(section);
    const int k = FindKey(s, key);
    if (k < 0) {
        return std::string(def);
    }
    return sections_[static_cast<std::size_t>(s)].values[static_cast<std::size_t>(k)];
}

int IniFile::GetInt(std::string_view section, std::string_view key, int def) const {
    return ParseIntLikeAtoi(GetString(section, key, std::to_string(def)));
}

bool IniFile::SetString(std::string_view section, std::string_view key, std::string_view value,
                        bool create) {
    // A line break would split the entry into new lines, keys and sections
    // at the next load, and a NUL would cut it short for other readers.
    if (HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value)) {
        return false;
    }
    return Store(section, key, value, create);
}

bool IniFile::Store(std::string_view section, std::string_view key, std::string_view value,
                    bool create) {
    int s = FindSection(section);
    if (s < 0) {
        if (!create) {
            return false;
        }
        s = AddSection(section);
    }
    SectionRecord& record = sections_[static_cast<std::size_t>(s)];
    const int k = FindKey(s, key);
    if (k >= 0) {
        record.values[static_cast<std::size_t>(k)].assign(value);
        return true;
    }
    if (!create) {
        return false;
    }
    record.keys.emplace_back(key);
    record.values.emplace_back(value);
    record.keyIndex.Add(record.keys, static_cast<int>(record.keys.size()) - 1);
    return true;
}

bool IniFile::SetInt(std::string_view section, std::string_view key, int value) {
    return SetString(section, key, std::to_string(value), true);
}

int IniFile::AddSection(std::string_view name) {
    sectionNames_.emplace_back(name);
    sections_.push_back(SectionRecord{{}, {}, {}, NameIndex(caseInsensitive_)});
    const int index = static_cast<int>(sections_.size()) - 1;
    sectionIndex_.Add(sectionNames_, index);  // a later duplicate is never found by name
    return index;
}

void IniFile::AddHeaderComment(std::string_view text) {
    headerComments_.emplace_back(text);
}

bool IniFile::AddSectionComment(int section, std::string_view text) {
    if (section < 0 || static_cast<std::size_t>(section) >= sections_.size()) {
        return false;
    }
    sections_[static_cast<std::size_t>(section)].comments.emplace_back(text);
    return true;
}

bool IniFile::AddSectionComment(std::string_view section, std::string_view text) {
    return AddSectionComment(FindSection(section), text);
}

void IniFile::Clear() {
    sections_.clear();
    sectionNames_.clear();
    headerComments_.clear();
    sectionIndex_.Clear();
    unreadTail_.clear();
    unreadWhole_ = false;
}

}  // namespace velmora
