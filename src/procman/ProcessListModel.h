#pragma once

#include <QAbstractTableModel>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/ProcessTable.h"

namespace velmora {

// The rows of the process manager's list: one process each, with its image
// name, thread count, path and process id, and a check mark that selects it
// for termination. The rows keep the snapshot's entries as they are; the
// texts are made only for the rows the view asks about, so a refill costs no
// more than moving the snapshot in.
class ProcessListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kImageName, kThreadCount, kPath, kProcessId, kColumnCount };

    // The name of the bottom row, which stands for the snapshot's first
    // entry, the idle task.
    static constexpr const char* kIdleName = "[System idle]";

    using QAbstractTableModel::QAbstractTableModel;

    // Rebuilds every row from a snapshot: each entry above the one before,
    // so the first entry (the idle task) is the bottom row. Every row comes
    // back unchecked.
    void Refill(std::vector<ProcessEntry> snapshot);

    const ProcessEntry& Process(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    // The image name as shown in the first column and saved in the list.
    const std::string& ImageName(int row) const { return Process(row).name; }
    bool IsChecked(int row) const { return checked_[static_cast<std::size_t>(row)] != 0; }
    void SetChecked(int row, bool checked);
    void SetAllChecked(bool checked);
    // Checks every row whose image name is one of `names`, exactly as
    // written; no row is unchecked.
    void CheckNamed(const std::unordered_set<std::string>& names);
    // The row under the mouse, shown underlined; -1 for none.
    void SetHotRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Rows are selectable but not checkable by the view itself: a click on a
    // row, check box included, is one click that the dialog turns into one
    // inversion of the mark.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString Text(int row, int column) const;
    void CheckedChanged(int first, int last);

    std::vector<ProcessEntry> rows_;
    std::vector<char> checked_;
    int hotRow_ = -1;
};

}  // namespace velmora
