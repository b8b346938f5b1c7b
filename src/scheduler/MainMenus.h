#pragma once

#include "controls/MenuTable.h"

namespace velmora {

// The main window's menu resources by id (IDR_ACTION_MENU, IDR_TRAY_MENU,
// IDR_MAIN_MENU); null for any other id.
const MenuSpec* MainMenuResource(int id);

}  // namespace velmora
