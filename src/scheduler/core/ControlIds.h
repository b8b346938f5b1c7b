#pragma once

namespace velmora {

// Control ids of the main window (dialog template 22).
enum ControlId : int {
    IDC_HEADING = 165,
    IDC_DATE_PICKER = 150,
    IDC_TIME_PICKER = 146,
    IDC_ENABLE = 159,
    IDC_DISABLE = 160,
    IDC_RUNNING_PROCESSES = 182,
    IDC_THREADS_RUNNING = 195,
    IDC_PROCESSES_FOR_TERMINATION = 196,
    IDC_ACTION_CAPTION = 166,
    IDC_ACTION_STATE = 161,
    IDC_STATUS_CAPTION = 167,
    IDC_STATUS = 162,
    IDC_ACTION_TIME_CAPTION = 168,
    IDC_ACTION_TIME = 164,
    IDC_CURRENT_TIME_CAPTION = 169,
    IDC_CURRENT_TIME = 163,
    IDC_REMAINING_CAPTION = 185,
    IDC_REMAINING = 186,
    IDC_PROGRESS = 184,
    IDC_TEST_SHUTDOWN = 170,
    IDC_TEST_LOGOFF = 151,
    IDC_TEST_RESTART = 153,
    IDC_HELP = 57670,
    IDC_SETTINGS = 147,
    IDC_ACTION_BUTTON = 171,
    IDC_EXIT = 2,
};

// Command ids the main window receives.
enum CommandId : int {
    ID_OK = 1,
    ID_CANCEL = 2,
    ID_ENABLE_ALARM = 32815,
    ID_ENABLE_SHUTDOWN = 32778,
    ID_ENABLE_LOGOFF = 32786,
    ID_ENABLE_RESTART = 32779,
    ID_ENABLE_STANDBY = 32791,
    ID_ENABLE_HIBERNATE = 32792,
    ID_ENABLE_KILL = 32793,
    ID_SHUTDOWN_NOW = 32816,
    ID_LOGOFF_NOW = 32817,
    ID_RESTART_NOW = 32818,
    ID_STANDBY_NOW = 32819,
    ID_HIBERNATE_NOW = 32820,
    ID_KILL_NOW = 32821,
    ID_HELP_TOPIC = 32775,
    ID_GENERAL_SETTINGS = 32773,
    ID_EXIT_PROGRAM = 32772,
    ID_SELECT_PROCESSES = 32794,
    ID_ABOUT = 32776,
    ID_SHOW_MAIN_WINDOW = 32784,
    ID_MANAGE_TASKS = 32822,
    ID_REPORT_BUG = 32814,
    ID_WEB_SITE = 32777,
    ID_REVIEW = 32796,
    ID_ACCEL_CTRL_A = 32823,
};

// Menu resources of the main window: the "&Action" button's drop menu, the
// notification-area icon's menu (also the icon's id) and the menu bar.
enum MenuId : int { IDR_ACTION_MENU = 32, IDR_TRAY_MENU = 35, IDR_MAIN_MENU = 37 };

// The main window's timers.
enum TimerId : int { kCountdownTimer = 1, kClockTimer = 2 };

}  // namespace velmora
