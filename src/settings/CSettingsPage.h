#pragma once

#include <QWidget>

#include "settings/SettingsSheetServices.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace velmora {

// The Action page (dialog 23 "Settings (Action)"): the scheduled action, the
// alarm sound, the power-off fallback and the use of the notification area.
// Every handled change is stored in the settings file at once and the page is
// then reloaded from the file, so it always shows what is stored.
class CSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit CSettingsPage(const SettingsSheetServices& services, QWidget* parent = nullptr);

    // Sets every control from the settings file.
    void LoadActionPage();
    // Stores every control's value, then reloads.
    void SaveActionPage();
    // Handles a click on one of the page's buttons; false for other ids.
    bool OnCommand(int controlId);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void OnActionChanged(int index);
    void OnBrowse();
    void OnTrayYes();
    void OnTrayNo();
    void OnSelectProcesses();

    const SettingsSheetServices& services_;
    QComboBox* actionCombo_ = nullptr;
    QLineEdit* alarmSoundEdit_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QCheckBox* alternateOptionBox_ = nullptr;
    QCheckBox* useTrayYesBox_ = nullptr;
    QCheckBox* useTrayNoBox_ = nullptr;
    QPushButton* selectProcessesButton_ = nullptr;
};

}  // namespace velmora
