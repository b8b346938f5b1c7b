#pragma once

#include <QHash>
#include <functional>

class QMenu;
class QWidget;

namespace velmora {

// Dresses the main window: its skin picture and icon, then its nine buttons
// in their fixed order, each with its icon, the toolbar look, the border and
// the hand cursor; the "&Action" button drops the given menu, whose chosen
// command goes to postCommand once the menu has closed.
void DressMainWindow(QWidget& window, const QHash<int, QWidget*>& controls, QMenu* actionMenu,
                     std::function<void(int)> postCommand);

}  // namespace velmora
