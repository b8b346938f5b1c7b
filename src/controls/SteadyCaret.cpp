#include "controls/SteadyCaret.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

namespace velmora {

void SteadyCaret::Apply(QWidget* field) {
    field->installEventFilter(new SteadyCaret(field));
}

bool SteadyCaret::eventFilter(QObject* watched, QEvent* event) {
    // Before the field itself sees the focus come: it starts its caret then.
    if (event->type() == QEvent::FocusIn && savedFlashTime_ < 0) {
        QStyleHints* hints = QGuiApplication::styleHints();
        savedFlashTime_ = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    } else if (event->type() == QEvent::FocusOut) {
        GiveBack();
    }
    return QObject::eventFilter(watched, event);
}

SteadyCaret::~SteadyCaret() {
    GiveBack();
}

void SteadyCaret::GiveBack() {
    if (savedFlashTime_ >= 0) {
        QGuiApplication::styleHints()->setCursorFlashTime(savedFlashTime_);
        savedFlashTime_ = -1;
    }
}

}  // namespace velmora
