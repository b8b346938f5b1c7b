#pragma once

#include <QString>
#include <QWidget>

class QGridLayout;
class QVBoxLayout;

namespace velmora {

// Gives a control its id as object name ("id<N>"), so it can be found by id.
template <typename W>
W* WithId(W* control, int id) {
    control->setObjectName(QStringLiteral("id%1").arg(id));
    return control;
}

// Adds to `page` a group box titled `title` that starts with the icon
// ":/icons/<iconId>.png" (nothing when the picture is missing) and the text
// beside it. Returns the box's grid: row 0 holds the icon and the text, the
// caller fills the rows below; column 1 takes the spare width.
QGridLayout* AddIconGroup(QVBoxLayout* page, const QString& title, int iconId, const QString& text);

}  // namespace velmora
