#include "controls/ThemeApi.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include "controls/QuietStartStyle.h"
#include "controls/SkinBackground.h"

namespace velmora {

namespace {

constexpr int kPushButtonPart = 1;

QStyle::State StyleStateFor(ThemeState state) {
    switch (state) {
        case kThemePressed:
            return QStyle::State_Enabled | QStyle::State_Sunken;
        case kThemeDisabled:
            return QStyle::State_Raised;
        case kThemeDefaulted:
            return QStyle::State_Enabled | QStyle::State_On;
        case kThemeNormal:
            break;
    }
    return QStyle::State_Enabled | QStyle::State_Raised;
}

}  // namespace

QStyle* ThemeApi::Style() const {
    return style_ != nullptr ? style_ : QApplication::style();
}

bool ThemeApi::IsAppThemed() const {
    const QStyle* style = QuietStartStyle::Drawing(Style());
    return style != nullptr && style->name().compare(u"windows", Qt::CaseInsensitive) != 0;
}

bool ThemeApi::DrawThemeBackground(ThemeClass themeClass, QWidget* widget, QPainter& painter,
                                   int part, ThemeState state, const QRect& rect) const {
    QStyle* style = Style();
    if (style == nullptr || part != kPushButtonPart) {
        return false;
    }
    if (widget != nullptr) {
        SkinBackground::PaintUnder(widget, painter, rect);
    }
    QStyleOptionButton option;
    if (widget != nullptr) {
        option.initFrom(widget);
    }
    option.rect = rect;
    option.state = StyleStateFor(state);
    if (themeClass == ThemeClass::Toolbar) {
        option.state |= QStyle::State_AutoRaise;
        style->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, widget);
    } else {
        if (state == kThemeDefaulted) {
            option.state &= ~QStyle::State_On;
            option.features |= QStyleOptionButton::DefaultButton;
        }
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, widget);
    }
    return true;
}

}  // namespace velmora
