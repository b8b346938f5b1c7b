#pragma once

#include <QWidget>

#include "settings/SettingsSheetServices.h"

class QCheckBox;

namespace velmora {

// The General page (dialog 46 "General"): start Velmora with the desktop
// session (the autostart entry) and start it minimized (the settings file).
// Each click is stored at once.
class CSettingsOtherPage : public QWidget {
    Q_OBJECT
public:
    explicit CSettingsOtherPage(const SettingsSheetServices& services, QWidget* parent = nullptr);

    // Checks the start-up box when the autostart entry exists; leaves it as
    // it is when that cannot be told.
    void ReadRunAtStartup();
    // Writes the autostart entry when checked, removes it otherwise. A
    // failure is silent and leaves the box as the click left it.
    void SetRunAtStartup(bool checked);
    void LoadGeneralPage();
    void SaveStartMinimized();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const SettingsSheetServices& services_;
    QCheckBox* runAtStartupBox_ = nullptr;
    QCheckBox* startMinimizedBox_ = nullptr;
};

}  // namespace velmora
