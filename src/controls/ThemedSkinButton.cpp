#include "controls/ThemedSkinButton.h"

#include "controls/ThemeApi.h"

namespace velmora {

namespace {
constexpr int kPushButtonPart = 1;
}

ThemedSkinButton::ThemedSkinButton(const QString& caption, QWidget* parent)
    : SkinButton(caption, parent) {
    drawBorder_ = false;
}

void ThemedSkinButton::AttachTheme(const ThemeApi* theme) {
    theme_ = theme;
    if (theme_ == nullptr || !theme_->IsAppThemed()) {
        drawBorder_ = true;
    }
}

int ThemedSkinButton::SetToolbarLook(bool toolbarLook, bool repaint) {
    toolbarLook_ = toolbarLook;
    if (repaint) {
        update();
    }
    return 0;
}

void ThemedSkinButton::Dress(const ThemeApi* theme, int iconId) {
    AttachTheme(theme);
    SetIconResource(iconId);
    SetToolbarLook(true, true);
    SetDrawBorder(true, true);
}

bool ThemedSkinButton::Themed() const {
    return theme_ != nullptr && theme_->IsAppThemed();
}

void ThemedSkinButton::DrawBackground(QPainter& painter, QRect& item) {
    if (Themed()) {
        const auto themeClass =
            toolbarLook_ ? ThemeApi::ThemeClass::Toolbar : ThemeApi::ThemeClass::Button;
        const ThemeState state =
            ChooseThemeState(disabled_, pressed_, isDefault(), toolbarLook_, drawBorder_);
        if (theme_->DrawThemeBackground(themeClass, this, painter, kPushButtonPart, state, item)) {
            return;
        }
    }
    SkinButton::DrawBackground(painter, item);
}

void ThemedSkinButton::DrawBorder(QPainter& painter, const QRect& item) {
    if (!Themed()) {
        SkinButton::DrawBorder(painter, item);
    }
}

}  // namespace velmora
