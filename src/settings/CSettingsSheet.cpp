#include "settings/CSettingsSheet.h"

#include <QIcon>
#include <QPixmap>

#include "settings/CSettingsOtherPage.h"
#include "settings/CSettingsPage.h"

namespace velmora {

CSettingsSheet::CSettingsSheet(SettingsSheetServices services, const QString& caption,
                               QWidget* parent)
    : CVelCustomPropertySheet(caption, parent),
      services_(std::move(services)),
      actionPage_(new CSettingsPage(services_)),
      generalPage_(new CSettingsOtherPage(services_)) {
    AddPage(actionPage_, QStringLiteral("Settings (Action)"));
    AddPage(generalPage_, QStringLiteral("General"));
    const QPixmap icon(QStringLiteral(":/icons/36.png"));
    if (!icon.isNull()) {
        setWindowIcon(QIcon(icon));
    }
}

int RunSettingsSheet(const SettingsSheetServices& services) {
    CSettingsSheet sheet(services);
    return sheet.exec() == QDialog::Accepted ? 1 : 0;
}

}  // namespace velmora
