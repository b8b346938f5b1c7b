#include "settings/core/DesktopEntryText.h"

namespace velmora {

std::string QuoteExecArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        } else if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string EscapeStringValue(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string AutostartEntryText(std::string_view executablePath) {
    const std::string exec = QuoteExecArgument(executablePath) + " -tray";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Velmora\n"
           "Comment=Performs a system action at the time you set\n"
           "Exec=" +
           EscapeStringValue(exec) +
           "\n"
           "Icon=velmora\n"
           "Terminal=false\n"
           // Start once the panel and its notification area are up, so the
           // tray icon has a place to go.
           "X-GNOME-Autostart-enabled=true\n"
           "X-GNOME-Autostart-Delay=5\n"
           "X-MATE-Autostart-Delay=5\n"
           "X-KDE-autostart-after=panel\n"
           "X-KDE-autostart-phase=2\n"
           "X-LXQt-Need-Tray=true\n";
}

}  // namespace velmora
