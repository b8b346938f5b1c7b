#pragma once

#include <QDialog>

#include "controls/ThemeApi.h"

class QPlainTextEdit;

namespace velmora {

class ThemedSkinButton;

// The About box: product name, version, the maker's rights notice and a
// warning over its own picture, with "&OK" and a button that switches
// between this view and the version history. Built anew at every opening,
// so it always starts in the About view.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // Shows the version history if it is hidden, hides it if it shows, and
    // names the window and the button after the view that is now showing.
    void ToggleHistory();

    // The version history, lines separated by CR LF.
    static const char* HistoryText();

private:
    void BuildControls();

    ThemeApi theme_;
    ThemedSkinButton* okButton_ = nullptr;
    ThemedSkinButton* historyButton_ = nullptr;
    QPlainTextEdit* history_ = nullptr;
};

// Runs the About box modally over the given window.
void RunAboutBox(QWidget* parent);

}  // namespace velmora
