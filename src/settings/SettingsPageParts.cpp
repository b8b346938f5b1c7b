#include "settings/SettingsPageParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace velmora {

QGridLayout* AddIconGroup(QVBoxLayout* page, const QString& title, int iconId,
                          const QString& text) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    // The icon keeps its 32 by 32 place even when its picture is missing,
    // so the page looks the same either way.
    auto* icon = new QLabel(box);
    icon->setFixedSize(32, 32);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/%1.png").arg(iconId)));
    auto* heading = new QHBoxLayout;
    heading->addWidget(icon, 0, Qt::AlignTop);
    heading->addWidget(new QLabel(text, box), 1);
    grid->addLayout(heading, 0, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    page->addWidget(box);
    return grid;
}

}  // namespace velmora
