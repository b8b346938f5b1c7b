#pragma once

#include <functional>
#include <span>

class QMenu;
class QMenuBar;
class QWidget;

namespace velmora {

// One item of a menu table: its command id and caption; id 0 is a separator.
struct MenuItemSpec {
    int id;
    const char* caption;
};

// A drop-down menu: its caption in a menu bar and its items, in order.
struct MenuPopupSpec {
    const char* caption;
    std::span<const MenuItemSpec> items;
};

// A menu resource: its id and its drop-down menus, in order.
struct MenuSpec {
    int id;
    std::span<const MenuPopupSpec> popups;
};

// Receives the command id of a chosen menu item.
using CommandSink = std::function<void(int commandId)>;

// Looks up a menu resource by id; null when there is none.
using MenuLoader = const MenuSpec* (*)(int id);

// Appends the items to the menu: each a QAction whose data is its command id
// and which sends that id when triggered (when `send` is set; otherwise the
// menu's owner reads the chosen item's data).
void FillMenu(QMenu& menu, std::span<const MenuItemSpec> items, const CommandSink& send);

// A menu bar with one drop-down menu per popup of the resource.
QMenuBar* BuildMenuBar(const MenuSpec& spec, QWidget* parent, const CommandSink& send);

}  // namespace velmora
