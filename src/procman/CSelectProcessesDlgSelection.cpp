// What the user does with the rows: the check marks and their saving, and the
// context menu's commands on one process.
#include <QActionGroup>
#include <QCheckBox>
#include <QMenu>

#include "platform/MessagePrompt.h"
#include "procman/CSelectProcessesDlg.h"
#include "procman/ProcessListModel.h"
#include "procman/ProcessListView.h"
#include "procman/ProcessManagerIds.h"
#include "procman/core/PriorityClasses.h"
#include "storage/IniFile.h"

namespace velmora {

namespace {

const char* const kRealtimeWarning =
    "WARNING: A process with realtime priority runs ahead of nearly everything\n"
    "else on this computer, so the whole system may become slow or stop\n"
    "responding until the process ends. Are you sure you want to give this\n"
    "process realtime priority?";

}  // namespace

void CSelectProcessesDlg::SaveSelection() {
    IniFile ini(services_.processListFile);
    ini.Load();
    ini.Clear();
    int saved = 0;
    for (int row = 0; row < model_->rowCount(); ++row) {
        // A name the file cannot hold (one with a line break) is left out,
        // so the keys stay numbered without gaps.
        const std::string& name = model_->ImageName(row);
        if (model_->IsChecked(row) && !name.empty() &&
            ini.SetString(kProcessesSection, ProcessListKey(saved), name, true)) {
            ++saved;
        }
    }
    ini.Save();
}

void CSelectProcessesDlg::ApplySavedSelection() {
    const std::vector<std::string>& names = listReader_.Names();
    if (listReader_.Version() != savedNamesVersion_) {
        savedNames_ = std::unordered_set<std::string>(names.begin(), names.end());
        savedNamesVersion_ = listReader_.Version();
    }
    model_->CheckNamed(savedNames_);
}

void CSelectProcessesDlg::OnRowClicked(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    model_->SetChecked(index.row(), !model_->IsChecked(index.row()));
    SaveSelection();
}

void CSelectProcessesDlg::SelectAll(int) {
    model_->SetAllChecked(true);
}

void CSelectProcessesDlg::ClearAll(int) {
    model_->SetAllChecked(false);
}

void CSelectProcessesDlg::Save(int) {
    SaveSelection();
}

void CSelectProcessesDlg::OnListRightClick(const QPoint& pos) {
    contextRow_ = processList_->indexAt(pos).row();
    // No menu for a click beside the rows, without a selected row, or on
    // the bottom row, the idle task.
    if (contextRow_ < 0 || !processList_->selectionModel()->hasSelection() ||
        contextRow_ == model_->rowCount() - 1) {
        return;
    }
    contextProcess_ = model_->Process(contextRow_);
    int nice = 0;
    const bool known = services_.processes.ReadNice(contextProcess_, nice);
    const int current = known ? PriorityClassOfNice(nice).command : 0;
    for (QAction* action : priorityGroup_->actions()) {
        action->setChecked(action->data().toInt() == current);
    }
    contextMenu_->popup(processList_->viewport()->mapToGlobal(pos));
}

void CSelectProcessesDlg::EndProcess(int commandId) {
    // Failures are silent: the process may have ended already or belong to
    // someone else.
    if (commandId == ID_END_PROCESS_TREE) {
        services_.processes.TerminateTree(contextProcess_);
    } else {
        services_.processes.Terminate(contextProcess_);
    }
    // With auto refresh on, the next tick notices the lower count. The saved
    // marks are applied again at once, so a click right after the refill
    // cannot save a selection that lacks them.
    if (!autoRefreshBox_->isChecked()) {
        RefillList();
        ApplySavedSelection();
    }
}

void CSelectProcessesDlg::SetPriority(int commandId) {
    const PriorityClass* priority = PriorityClassOfCommand(commandId);
    if (priority == nullptr ||
        (commandId == kRealtimeCommand && !services_.prompt.Warning(kRealtimeWarning))) {
        return;
    }
    services_.processes.SetNice(contextProcess_, priority->nice);  // failures are silent
}

}  // namespace velmora
