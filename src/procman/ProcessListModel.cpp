#include "procman/ProcessListModel.h"

#include <QFile>
#include <QFont>
#include <algorithm>

namespace velmora {

namespace {

const char* const kHeadings[] = {"Image Name", "Thread count", "Path", "Process ID"};
const Qt::Alignment kAlignments[] = {Qt::AlignCenter, Qt::AlignCenter,
                                     Qt::AlignLeft | Qt::AlignVCenter,
                                     Qt::AlignLeft | Qt::AlignVCenter};
const QString kNotAccessible = QStringLiteral("Not Accessible");

QString FromBytes(const std::string& text) {
    return QFile::decodeName(QByteArray::fromRawData(text.data(), static_cast<int>(text.size())));
}

}  // namespace

void ProcessListModel::Refill(std::vector<ProcessEntry> snapshot) {
    beginResetModel();
    rows_ = std::move(snapshot);
    std::reverse(rows_.begin(), rows_.end());
    for (ProcessEntry& entry : rows_) {
        std::erase(entry.path, '?');
    }
    if (!rows_.empty()) {
        rows_.back().name = kIdleName;
    }
    checked_.assign(rows_.size(), 0);
    hotRow_ = -1;
    endResetModel();
}

void ProcessListModel::SetChecked(int row, bool checked) {
    checked_[static_cast<std::size_t>(row)] = checked ? 1 : 0;
    CheckedChanged(row, row);
}

void ProcessListModel::SetAllChecked(bool checked) {
    std::fill(checked_.begin(), checked_.end(), checked ? 1 : 0);
    CheckedChanged(0, rowCount() - 1);
}

void ProcessListModel::CheckNamed(const std::unordered_set<std::string>& names) {
    int first = rowCount();
    int last = -1;
    for (int row = 0; row < rowCount(); ++row) {
        if (!IsChecked(row) && names.contains(ImageName(row))) {
            checked_[static_cast<std::size_t>(row)] = 1;
            first = std::min(first, row);
            last = row;
        }
    }
    CheckedChanged(first, last);
}

void ProcessListModel::CheckedChanged(int first, int last) {
    if (first <= last) {
        Q_EMIT dataChanged(index(first, kImageName), index(last, kImageName), {Qt::CheckStateRole});
    }
}

void ProcessListModel::SetHotRow(int row) {
    if (row == hotRow_) {
        return;
    }
    for (const int changed : {hotRow_, row}) {
        if (changed >= 0 && changed < rowCount()) {
            Q_EMIT dataChanged(index(changed, 0), index(changed, kColumnCount - 1), {Qt::FontRole});
        }
    }
    hotRow_ = row;
}

int ProcessListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ProcessListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString ProcessListModel::Text(int row, int column) const {
    const ProcessEntry& entry = Process(row);
    const bool idle = row == rowCount() - 1;
    switch (column) {
        case kImageName:
            return FromBytes(entry.name);
        case kThreadCount:
            return idle ? kNotAccessible : QString::number(entry.threads);
        case kPath:
            return idle ? kNotAccessible : FromBytes(entry.path);
        default:
            return idle ? QString() : QString::number(entry.pid);
    }
}

QVariant ProcessListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return Text(index.row(), index.column());
        case Qt::CheckStateRole:
            if (index.column() == kImageName) {
                return IsChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        case Qt::TextAlignmentRole:
            return static_cast<int>(kAlignments[index.column()]);
        case Qt::FontRole:
            if (index.row() == hotRow_) {
                QFont underlined;
                underlined.setUnderline(true);
                return underlined;
            }
            return {};
        default:
            return {};
    }
}

QVariant ProcessListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(kHeadings[section]);
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(kAlignments[section]);
    }
    return {};
}

Qt::ItemFlags ProcessListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace velmora
