#include "procman/ProcessListView.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "controls/Pictures.h"
#include "procman/ProcessListModel.h"

namespace velmora {

namespace {

constexpr int kHandCursorId = 144;

}  // namespace

ProcessListView::ProcessListView(ProcessListModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
    setModel(model);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    hasHandCursor_ = LoadCursorPicture(kHandCursorId, handCursor_);
    connect(this, &QAbstractItemView::entered, this,
            [this](const QModelIndex& index) { SetHotRow(index.row()); });
    connect(this, &QAbstractItemView::viewportEntered, this, [this] { SetHotRow(-1); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { SetHotRow(-1); });
}

bool ProcessListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        SetHotRow(-1);
    }
    return QTableView::viewportEvent(event);
}

void ProcessListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentIndex().isValid()) {
        Q_EMIT clicked(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

void ProcessListView::SetHotRow(int row) {
    model_->SetHotRow(row);
    if (row >= 0 && hasHandCursor_) {
        viewport()->setCursor(handCursor_);
    } else {
        viewport()->unsetCursor();
    }
}

}  // namespace velmora
