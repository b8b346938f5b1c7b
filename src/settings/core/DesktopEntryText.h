#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Text of the desktop entry that starts Velmora with the desktop session.
// Desktops read an entry in two steps: first the escapes of a string value
// ("\\", "\n", "\t", "\r", "\s"), then the quoting rules of the Exec key, and
// they expand "%" field codes. The functions below write the path so that
// every step gives it back unchanged, as one argument, whatever it holds.

// One argument quoted for an Exec value: inside double quotes, with '"', '`',
// '$' and '\' preceded by a backslash and every '%' doubled.
std::string QuoteExecArgument(std::string_view argument);

// A value written with the escapes of a string value: backslash, newline,
// tab and carriage return.
std::string EscapeStringValue(std::string_view value);

// The whole entry for the executable at `executablePath`: the program started
// with "-tray", after the desktop's panel and notification area are up.
std::string AutostartEntryText(std::string_view executablePath);

}  // namespace velmora
