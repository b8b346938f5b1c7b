#pragma once

#include "controls/SkinButton.h"

namespace velmora {

class ThemeApi;

// The skin button the skinned windows use: with a themed widget style its
// face is the style's toolbar (or push) button over the window's picture and
// it draws no edge of its own; with the classic style it draws like
// SkinButton. Icon, caption and focus rectangle are SkinButton's either way.
class ThemedSkinButton : public SkinButton {
    Q_OBJECT
public:
    explicit ThemedSkinButton(const QString& caption = QString(), QWidget* parent = nullptr);

    // The window's shared theme service (not owned). Without one, or with
    // the classic style, the border is drawn.
    void AttachTheme(const ThemeApi* theme);
    int SetToolbarLook(bool toolbarLook, bool repaint = true);

    // The skinned windows' set-up: the theme, the icon, the toolbar look and
    // the border; a missing icon leaves the button without one.
    void Dress(const ThemeApi* theme, int iconId);

protected:
    void DrawBackground(QPainter& painter, QRect& item) override;
    void DrawBorder(QPainter& painter, const QRect& item) override;

private:
    bool Themed() const;

    const ThemeApi* theme_ = nullptr;
    bool toolbarLook_ = false;
};

}  // namespace velmora
