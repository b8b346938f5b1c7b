#include "settings/CVelCustomPropertySheet.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/SettingsControlIds.h"

namespace velmora {

CVelCustomPropertySheet::CVelCustomPropertySheet(const QString& caption, QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)) {
    setWindowTitle(caption);
    tabs_->setObjectName(QStringLiteral("id%1").arg(IDC_SHEET_TABS));

    auto* buttons = new QDialogButtonBox(this);
    const struct {
        int id;
        const char* caption;
        QDialogButtonBox::ButtonRole role;
    } kButtons[] = {{1, "OK", QDialogButtonBox::AcceptRole},
                    {2, "Cancel", QDialogButtonBox::RejectRole},
                    {IDC_SHEET_APPLY, "&Apply", QDialogButtonBox::ApplyRole}};
    for (const auto& spec : kButtons) {
        QPushButton* button = buttons->addButton(QString::fromUtf8(spec.caption), spec.role);
        button->setObjectName(QStringLiteral("id%1").arg(spec.id));
        button->setEnabled(spec.id != IDC_SHEET_APPLY);
        button->setDefault(spec.id == 1);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    qApp->installEventFilter(this);
}

void CVelCustomPropertySheet::AddPage(QWidget* page, const QString& title) {
    tabs_->addTab(page, title);
}

bool CVelCustomPropertySheet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyRelease) {
        return false;
    }
    // A key event goes first to the focus widget (to the window when none
    // has the focus), then up through its parents while they ignore it; it
    // counts once, at its first stop, and only inside this sheet.
    QWidget* focus = QApplication::focusWidget();
    auto* target = qobject_cast<QWidget*>(watched);
    if (target == nullptr || target != (focus != nullptr ? focus : target->window()) ||
        (target != this && !isAncestorOf(target))) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const int pages = tabs_->count();
    if (pages > 1 && !key->isAutoRepeat()) {
        const int current = tabs_->currentIndex();
        if (key->key() == Qt::Key_PageDown) {
            tabs_->setCurrentIndex((current + pages - 1) % pages);
        } else if (key->key() == Qt::Key_PageUp) {
            tabs_->setCurrentIndex((current + 1) % pages);
        }
    }
    return false;  // the key goes on to its ordinary handling
}

}  // namespace velmora
