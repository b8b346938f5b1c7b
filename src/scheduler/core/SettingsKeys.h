#pragma once

#include <string_view>

namespace velmora {

// The section of the settings file that holds the main window's settings,
// and its keys.
inline constexpr std::string_view kGeneralSettings = "General Settings";

inline constexpr std::string_view kKeyIsEnabled = "IsEnabled";
inline constexpr std::string_view kKeyYear = "Year";
inline constexpr std::string_view kKeyMonth = "Month";
inline constexpr std::string_view kKeyDay = "Day";
inline constexpr std::string_view kKeyHour = "Hour";
inline constexpr std::string_view kKeyMin = "Min";
inline constexpr std::string_view kKeySec = "Sec";
inline constexpr std::string_view kKeyAction = "Action";
inline constexpr std::string_view kKeyAlarmSound = "AlarmSound";
inline constexpr std::string_view kKeyAlternateOption = "AlternateOption";
inline constexpr std::string_view kKeyUseSystemTray = "UseSystemTray";
inline constexpr std::string_view kKeyStartMinimized = "StartMinimized";

}  // namespace velmora
