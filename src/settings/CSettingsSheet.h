#pragma once

#include "settings/CVelCustomPropertySheet.h"
#include "settings/SettingsSheetServices.h"

namespace velmora {

class CSettingsPage;
class CSettingsOtherPage;

// The settings window: the Action page first, the General page second. The
// pages store every change at once, so closing with any button keeps them.
class CSettingsSheet : public CVelCustomPropertySheet {
    Q_OBJECT
public:
    explicit CSettingsSheet(SettingsSheetServices services,
                            const QString& caption = QStringLiteral("General Settings"),
                            QWidget* parent = nullptr);

    CSettingsPage* ActionPage() const { return actionPage_; }
    CSettingsOtherPage* GeneralPage() const { return generalPage_; }

private:
    SettingsSheetServices services_;
    CSettingsPage* actionPage_;
    CSettingsOtherPage* generalPage_;
};

// Runs the settings sheet modally, with no parent window, until it closes;
// returns 1 when it was closed with OK, 0 otherwise.
int RunSettingsSheet(const SettingsSheetServices& services);

}  // namespace velmora
