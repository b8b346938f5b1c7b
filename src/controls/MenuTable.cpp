#include "controls/MenuTable.h"

#include <QMenu>
#include <QMenuBar>

namespace velmora {

void FillMenu(QMenu& menu, std::span<const MenuItemSpec> items, const CommandSink& send) {
    for (const MenuItemSpec& item : items) {
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf8(item.caption));
        action->setData(item.id);
        if (send) {
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, &menu, [send, id] { send(id); });
        }
    }
}

QMenuBar* BuildMenuBar(const MenuSpec& spec, QWidget* parent, const CommandSink& send) {
    auto* bar = new QMenuBar(parent);
    bar->setObjectName(QStringLiteral("menu%1").arg(spec.id));
    for (const MenuPopupSpec& popup : spec.popups) {
        FillMenu(*bar->addMenu(QString::fromUtf8(popup.caption)), popup.items, send);
    }
    return bar;
}

}  // namespace velmora
