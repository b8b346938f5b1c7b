#include "platform/linux/QtMessagePrompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace velmora {

namespace {

const QString kTitle = QStringLiteral("Velmora");

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QWidget* QtMessagePrompt::Owner() const {
    return owner_ ? owner_.data() : QApplication::activeWindow();
}

void QtMessagePrompt::Information(std::string_view text) {
    QMessageBox::information(Owner(), kTitle, ToQString(text));
}

void QtMessagePrompt::Stop(std::string_view text) {
    QMessageBox::critical(Owner(), kTitle, ToQString(text));
}

void QtMessagePrompt::Notice(std::string_view text) {
    // Over the owner while it is on screen; on its own (with a taskbar entry)
    // while the window is hidden to the notification area.
    QWidget* owner = Owner();
    auto* box = new QMessageBox(QMessageBox::Critical, kTitle, ToQString(text), QMessageBox::Ok,
                                owner != nullptr && owner->isVisible() ? owner : nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

bool QtMessagePrompt::Question(std::string_view text) {
    return QMessageBox::question(Owner(), kTitle, ToQString(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool QtMessagePrompt::Warning(std::string_view text) {
    return QMessageBox::warning(Owner(), kTitle, ToQString(text),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace velmora
