#pragma once

namespace velmora {

// Control ids of the settings sheet and its pages (dialog templates 23 and 46).
enum SettingsControlId : int {
    // Action page.
    IDC_SETTINGS_ACTION = 152,
    IDC_SETTINGS_ALARM_SOUND = 158,
    IDC_SETTINGS_BROWSE = 173,
    IDC_SETTINGS_ALTERNATE = 156,
    IDC_SETTINGS_TRAY_YES = 172,
    IDC_SETTINGS_TRAY_NO = 154,
    IDC_SETTINGS_SELECT_PROCESSES = 183,
    // General page.
    IDC_GENERAL_RUN_AT_STARTUP = 191,
    IDC_GENERAL_START_MINIMIZED = 194,
    // The sheet's own: OK and Cancel are 1 and 2, as in every dialog.
    IDC_SHEET_TABS = 12320,
    IDC_SHEET_APPLY = 12321,
};

}  // namespace velmora
