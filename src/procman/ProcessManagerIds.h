#pragma once

namespace velmora {

// The process manager's controls, menus and commands.
inline constexpr int kProcessManagerMenu = 39;
inline constexpr int kProcessManagerIcon = 40;
inline constexpr int kProcessContextMenu = 47;

inline constexpr int IDC_PROCESS_LIST = 188;
inline constexpr int IDC_PROCESS_COUNT = 189;
inline constexpr int IDC_AUTO_REFRESH = 190;
inline constexpr int IDC_SELECT_ALL = 198;
inline constexpr int IDC_CLEAR_ALL = 199;
inline constexpr int IDC_SAVE_SELECTION = 200;
inline constexpr int IDC_CLOSE = 1;

inline constexpr int ID_REFRESH_NOW = 32788;
inline constexpr int ID_CLOSE_PROCESSES = 32790;
inline constexpr int ID_END_PROCESS = 32801;
inline constexpr int ID_END_PROCESS_TREE = 32808;

}  // namespace velmora
