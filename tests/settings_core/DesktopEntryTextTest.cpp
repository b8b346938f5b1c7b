#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "settings/core/DesktopEntryText.h"

namespace velmora {
namespace {

using Args = std::vector<std::string>;

// Reads an Exec value back as a desktop does: first the escapes of a string
// value, then "%%" for a literal percent sign, then the quoting rules (inside
// double quotes only \" \` \$ \\ are escapes, and a bare ` or $ is not
// allowed). Nothing when the value breaks a rule.
std::optional<Args> ReadExec(const std::string& raw) {
    std::string value;
    const std::string from = "sntr\\", to = " \n\t\r\\";
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            value += raw[i];
        } else if (++i < raw.size() && from.find(raw[i]) != std::string::npos) {
            value += to[from.find(raw[i])];
        } else {
            return std::nullopt;
        }
    }
    Args args(1);
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '%' && (++i == value.size() || value[i] != '%')) {
            return std::nullopt;  // a field code, not a literal percent sign
        }
        if (quoted && c == '\\') {
            if (++i == value.size() || std::string("\"`$\\").find(value[i]) == std::string::npos) {
                return std::nullopt;
            }
            args.back() += value[i];
        } else if (quoted && (c == '`' || c == '$')) {
            return std::nullopt;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            args.emplace_back();
        } else {
            args.back() += c;
        }
    }
    return quoted ? std::nullopt : std::optional<Args>(args);
}

TEST(DesktopEntryText, AnyPathComesBackAsTheProgramFollowedByTray) {
    const std::string paths[] = {
        "/usr/bin/velmora",
        "/opt/My Apps/velmora",
        "/tmp/a\"b/$(reboot)/`id`/$HOME/velmora",
        "/tmp/\"; rm -rf ~; \"/velmora",
        "/tmp/back\\slash\\\\/\\\"/velmora",
        "/tmp/100%/%f %U/velmora",
        "/tmp/line\nbreak\ttab\rcr/velmora",
        "/tmp/'single' ~ | & ; * ? # ( ) < >/velmora",
        "/" + std::string(300, 'x') + "/velmora",
    };
    for (const std::string& path : paths) {
        std::istringstream entry(AutostartEntryText(path));
        std::string line, exec;
        int execLines = 0;
        while (std::getline(entry, line)) {
            if (line.rfind("Exec=", 0) == 0) {
                exec = line.substr(5);
                ++execLines;
            }
        }
        EXPECT_EQ(execLines, 1) << path;
        EXPECT_EQ(ReadExec(exec), (Args{path, "-tray"})) << exec;
    }
}

TEST(DesktopEntryText, EntryStartsAnApplicationAfterThePanel) {
    const std::string entry = AutostartEntryText("/usr/bin/velmora");
    EXPECT_EQ(entry.rfind("[Desktop Entry]\nType=Application\nName=Velmora\n", 0), 0u);
    for (const char* line : {"\nIcon=velmora\n", "\nX-GNOME-Autostart-enabled=true\n",
                             "\nX-KDE-autostart-after=panel\n"}) {
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace velmora
