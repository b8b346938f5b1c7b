#include "settings/OpenFileDialog.h"

#include <QFile>
#include <QFileDialog>

namespace velmora {

std::string ChooseExistingFile(QWidget* owner, const QString& filter) {
    // Qt's file dialogs take the patterns from the last parenthesised group,
    // split by spaces. A second group with the patterns in that form keeps
    // the program's own filter text as the name the user sees.
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    QString patterns = open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : filter;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));

    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(filter + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace velmora
