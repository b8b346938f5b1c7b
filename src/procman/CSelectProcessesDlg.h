#pragma once

#include <QDialog>
#include <string>
#include <unordered_set>

#include "platform/ProcessTable.h"
#include "procman/ProcessManagerServices.h"
#include "scheduler/core/ProcessListFile.h"

class QActionGroup;
class QCheckBox;
class QLabel;
class QMenu;
class QTimer;

namespace velmora {

class ProcessListModel;
class ProcessListView;

// The process manager (dialog 38 "Processes"): lists the running processes,
// keeps the list current on demand or once a second, ends a process or its
// whole tree, changes a process's priority, and saves the checked processes
// as the list the "Kill processes" action terminates. Every change is stored
// at once; closing stores nothing more.
class CSelectProcessesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSelectProcessesDlg(const ProcessManagerServices& services, QWidget* parent = nullptr);

    // Dispatches a command id as the window's buttons and menus do; false
    // when nothing handles it.
    bool OnCommand(int commandId);

    // Rebuilds every row from a new snapshot, all unchecked.
    void RefillList();
    // Refills only when the number of processes differs from the rows'.
    void CheckForChanges();
    // Checks the rows the process list file names; unchecks none.
    void ApplySavedSelection();
    // Rewrites the process list file from the checked rows, top to bottom.
    void SaveSelection();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    // Appends a command to the menu (a separator for id 0).
    void LoadAutoRefresh();
    void OnTick();
    void OnRowClicked(const QModelIndex& index);
    void OnListRightClick(const QPoint& pos);

    // Command handlers; each gets the command id.
    void CloseDialog(int);
    void RefreshNow(int);
    void AutoRefreshClicked(int);
    void SelectAll(int);
    void ClearAll(int);
    void Save(int);
    void EndProcess(int commandId);
    void SetPriority(int commandId);

    ProcessManagerServices services_;
    ProcessListReader listReader_;
    // The saved names as last read, looked up on every tick.
    std::unordered_set<std::string> savedNames_;
    std::uint64_t savedNamesVersion_ = 0;
    QMenu* contextMenu_ = nullptr;
    QActionGroup* priorityGroup_ = nullptr;
    int contextRow_ = -1;
    // The process of the row last right-clicked: the context commands act
    // on exactly it, even when the list is refilled while the menu is open.
    ProcessEntry contextProcess_;
    ProcessListModel* model_ = nullptr;
    ProcessListView* processList_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QCheckBox* autoRefreshBox_ = nullptr;
    QTimer* timer_ = nullptr;
};

// Runs the process manager modally, with no parent window given.
void RunProcessManager(const ProcessManagerServices& services);

}  // namespace velmora
