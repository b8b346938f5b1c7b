#include "settings/SettingsPageParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace velmora {

QGridLayout* AddIconGroup(QVBoxLayout* page, const QString& title, int iconId,
                          const QString& text) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    auto* icon = new QLabel(box);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/%1.png").arg(iconId)));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(icon, 0, 0);
    grid->addWidget(new QLabel(text, box), 0, 1, 1, 3);
    grid->setColumnStretch(2, 1);
    page->addWidget(box);
    return grid;
}

}  // namespace velmora
