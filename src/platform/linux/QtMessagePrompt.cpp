#include "platform/linux/QtMessagePrompt.h"

#include <QMessageBox>
#include <QString>

namespace velmora {

namespace {

const QString kTitle = QStringLiteral("Velmora");

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtMessagePrompt::Information(std::string_view text) {
    QMessageBox::information(owner_, kTitle, ToQString(text));
}

void QtMessagePrompt::Stop(std::string_view text) {
    QMessageBox::critical(owner_, kTitle, ToQString(text));
}

bool QtMessagePrompt::Question(std::string_view text) {
    return QMessageBox::question(owner_, kTitle, ToQString(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace velmora
