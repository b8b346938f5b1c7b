#include "scheduler/MainWindowDressing.h"

#include <QWidget>

#include "controls/SkinBackground.h"
#include "controls/ThemeApi.h"
#include "controls/ThemedSkinButton.h"
#include "scheduler/core/ControlIds.h"

namespace velmora {

namespace {

constexpr int kMainSkin = 31;
constexpr int kHandCursor = 144;

struct ButtonDress {
    int id;
    int iconId;
};

// In the order the buttons are dressed.
constexpr ButtonDress kButtons[] = {
    {IDC_ENABLE, 27},        {IDC_DISABLE, 28},       {IDC_HELP, 26},
    {IDC_EXIT, 25},          {IDC_ACTION_BUTTON, 33}, {IDC_SETTINGS, 29},
    {IDC_TEST_SHUTDOWN, 25}, {IDC_TEST_LOGOFF, 34},   {IDC_TEST_RESTART, 43},
};

// The theme service only asks the application's style, so every main
// window can share one.
const ThemeApi& SharedTheme() {
    static const ThemeApi theme;
    return theme;
}

}  // namespace

void DressMainWindow(QWidget& window, const QHash<int, QWidget*>& controls, QMenu* actionMenu,
                     std::function<void(int)> postCommand) {
    // The window already carries the application icon.
    SkinBackground::Attach(&window, kMainSkin);
    for (const ButtonDress& dress : kButtons) {
        auto* button = qobject_cast<ThemedSkinButton*>(controls.value(dress.id));
        if (button == nullptr) {
            continue;
        }
        button->Dress(&SharedTheme(), dress.iconId);
        if (dress.id == IDC_ACTION_BUTTON) {
            button->SetDropMenu(actionMenu, &window, postCommand);
        }
        button->SetHandCursor(kHandCursor);
    }
}

}  // namespace velmora
