#pragma once

#include "controls/core/ButtonGeometry.h"

class QPainter;
class QRect;
class QStyle;
class QWidget;

namespace velmora {

// The visual-style service the skinned windows share: the application's
// widget style, asked afresh at every call, so a style change shows at the
// next repaint. A style counts as themed unless it is the classic "windows"
// style; with the classic style buttons draw their own face and edge.
class ThemeApi {
public:
    // The face classes a button can borrow from the style.
    enum class ThemeClass { Button, Toolbar };

    // With no style given, the application's current style is used.
    explicit ThemeApi(QStyle* style = nullptr) : style_(style) {}
    virtual ~ThemeApi() = default;
    ThemeApi(const ThemeApi&) = delete;
    ThemeApi& operator=(const ThemeApi&) = delete;

    bool IsAppThemed() const;

    // Paints the parent window's skin under the widget's rectangle, then the
    // style's button or toolbar-button face in the given state. The only
    // part id drawn is 1, the push button (or toolbar button). False, with
    // nothing drawn, for another part or when there is no style.
    bool DrawThemeBackground(ThemeClass themeClass, QWidget* widget, QPainter& painter, int part,
                             ThemeState state, const QRect& rect) const;

private:
    QStyle* Style() const;

    QStyle* style_;
};

}  // namespace velmora
