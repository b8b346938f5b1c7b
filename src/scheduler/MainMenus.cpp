// The main window's menus, item by item: the menu bar, the notification-area
// icon's menu and the "&Action" button's drop menu; and the menu bar's place.
#include "scheduler/MainMenus.h"

#include <QMenuBar>
#include <algorithm>
#include <array>

#include "scheduler/SchedulerDialog.h"
#include "scheduler/core/ControlIds.h"

namespace velmora {

namespace {

constexpr MenuItemSpec kSeparator{0, ""};

// The items of several lists, one after another.
template <std::size_t... N>
constexpr auto Join(const MenuItemSpec (&... lists)[N]) {
    std::array<MenuItemSpec, (N + ...)> items{};
    auto next = items.begin();
    ((next = std::copy(std::begin(lists), std::end(lists), next)), ...);
    return items;
}

// The commands that act at once, in the menu bar and in the icon's menu.
constexpr MenuItemSpec kNowItems[] = {
    {ID_SHUTDOWN_NOW, "ShutDown Now"},   {ID_LOGOFF_NOW, "LogOff Now"},
    {ID_RESTART_NOW, "Restart Now "},    {ID_STANDBY_NOW, "Stand By Now"},
    {ID_HIBERNATE_NOW, "Hibernate Now"}, {ID_KILL_NOW, "Kill Processes Now"},
};
constexpr MenuItemSpec kExitItems[] = {kSeparator, {ID_EXIT_PROGRAM, "&Exit Program"}};

constexpr auto kShutdownItems = Join(kNowItems, kExitItems);
constexpr MenuItemSpec kTaskSchedulerItems[] = {{ID_MANAGE_TASKS, "Manage Scheduled Tasks"}};
constexpr MenuItemSpec kTaskManagerItems[] = {
    {ID_SELECT_PROCESSES, "Select Processes For Termination"}};
constexpr MenuItemSpec kOptionsItems[] = {{ID_GENERAL_SETTINGS, "&General Settings"}};
constexpr MenuItemSpec kHelpItems[] = {
    {ID_REPORT_BUG, "Report a bug..."}, {ID_WEB_SITE, "&Orlendt on the Web"},
    {ID_REVIEW, "&Rate Velmora..."},    kSeparator,
    {ID_HELP_TOPIC, "&Help Topic"},     {ID_ABOUT, "&About Velmora..."},
};
constexpr MenuPopupSpec kMenuBar[] = {
    {"&Shutdown", kShutdownItems},
    {"Task Scheduler", kTaskSchedulerItems},
    {"My Task  Manager", kTaskManagerItems},
    {"&Options", kOptionsItems},
    {"&Help", kHelpItems},
};

// Only the first popup of the icon's menu is ever shown; its first item is
// the default one.
constexpr auto kTrayItems =
    Join({{ID_SHOW_MAIN_WINDOW, "Show main window"}, kSeparator}, kNowItems,
         {kSeparator, {ID_GENERAL_SETTINGS, "&General Settings"}}, kExitItems);
constexpr MenuPopupSpec kTrayMenu[] = {{"&Shutdown", kTrayItems}};

constexpr MenuItemSpec kActionItems[] = {
    {ID_ENABLE_ALARM, "Enable Alarm routine"},
    {ID_ENABLE_SHUTDOWN, "Enable ShutDown routine"},
    {ID_ENABLE_LOGOFF, "Enable LogOff routine"},
    {ID_ENABLE_RESTART, "Enable Restart routine"},
    {ID_ENABLE_STANDBY, "Enable Stand By routine"},
    {ID_ENABLE_HIBERNATE, "Enable Hibernate routine"},
    {ID_ENABLE_KILL, "Enable Kill Processes routine"},
};
constexpr MenuPopupSpec kActionMenu[] = {{"", kActionItems}};

constexpr MenuSpec kMenus[] = {
    {IDR_ACTION_MENU, kActionMenu},
    {IDR_TRAY_MENU, kTrayMenu},
    {IDR_MAIN_MENU, kMenuBar},
};

}  // namespace

const MenuSpec* MainMenuResource(int id) {
    for (const MenuSpec& menu : kMenus) {
        if (menu.id == id) {
            return &menu;
        }
    }
    return nullptr;
}

// The menu bar goes above the controls: the window grows by its height and
// the controls keep their places relative to each other. The area below the
// menu bar is the window's contents rectangle.
void SchedulerDialog::BuildMenuBar() {
    menuBar_ = velmora::BuildMenuBar(*MainMenuResource(IDR_MAIN_MENU), this,
                                     [this](int id) { OnCommand(id); });
    const int top = menuBar_->sizeHint().height();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != menuBar_ && !child->isWindow()) {
            child->move(child->pos() + QPoint(0, top));
        }
    }
    menuBar_->setGeometry(0, 0, width(), top);
    setContentsMargins(0, top, 0, 0);
    setFixedSize(width(), height() + top);
}

}  // namespace velmora
