#pragma once

#include <QDialog>

class QTabWidget;

namespace velmora {

// A modal property sheet: pages on tabs, and OK, Cancel and Apply below them.
// The pages store every change at once, so Apply is never enabled. Releasing
// Page Down shows the previous page and releasing Page Up the next one, both
// wrapping around, while the sheet or any of its controls has the focus.
class CVelCustomPropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit CVelCustomPropertySheet(const QString& caption, QWidget* parent = nullptr);

    void AddPage(QWidget* page, const QString& title);
    QTabWidget* Tabs() const { return tabs_; }

protected:
    // Sees the page keys before the control with the focus handles them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTabWidget* tabs_;
};

}  // namespace velmora
