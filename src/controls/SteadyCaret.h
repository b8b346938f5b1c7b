#pragma once

#include <QObject>

class QWidget;

namespace velmora {

// Keeps the text caret of an input field steady instead of blinking while
// the field has the keyboard focus. A blinking caret wakes the program twice
// a second, also while it only waits; a steady one costs nothing and is as
// easy to see and to use. Qt blinks every caret at the application's cursor
// flash time, so that time is 0 (no blinking) while a watched field has the
// focus and is given back when the focus leaves it.
class SteadyCaret : public QObject {
public:
    // Watches the field for as long as it lives.
    static void Apply(QWidget* field);

    bool eventFilter(QObject* watched, QEvent* event) override;
    ~SteadyCaret() override;

private:
    explicit SteadyCaret(QObject* parent) : QObject(parent) {}
    void GiveBack();

    int savedFlashTime_ = -1;  // the flash time to give back, -1 for none
};

}  // namespace velmora
