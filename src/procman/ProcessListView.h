#pragma once

#include <QCursor>
#include <QTableView>

namespace velmora {

class ProcessListModel;

// The process manager's list: a report view with grid lines, whole-row
// single selection and hot tracking. The row under the mouse is underlined
// and shows the hand cursor (when the program has its picture). A click on
// a row, or Space on the current row, is reported as clicked().
class ProcessListView : public QTableView {
    Q_OBJECT
public:
    ProcessListView(ProcessListModel* model, QWidget* parent);

protected:
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetHotRow(int row);

    ProcessListModel* model_;
    QCursor handCursor_;
    bool hasHandCursor_ = false;
};

}  // namespace velmora
