#include "procman/CSelectProcessesDlg.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "controls/DialogUnits.h"
#include "controls/MenuTable.h"
#include "controls/Pictures.h"
#include "procman/ProcessListModel.h"
#include "procman/ProcessListView.h"
#include "procman/ProcessManagerIds.h"
#include "procman/core/PriorityClasses.h"
#include "scheduler/core/SettingsKeys.h"
#include "storage/IniFile.h"

namespace velmora {

namespace {

constexpr int kPathColumnWidth = 220;
constexpr int kAutoRefreshMs = 1000;
constexpr std::string_view kAutoRefreshKey = "AutoRefresh";

struct ButtonSpec {
    int id;
    const char* caption;
    QRect rect;
};

// Menu 39, the dialog's menu bar, and the first part of the context menu 47.
const MenuItemSpec kProcessesMenu[] = {
    {ID_REFRESH_NOW, "Refresh Now"}, {0, nullptr}, {ID_CLOSE_PROCESSES, "Close"}};
const MenuPopupSpec kMenuBarPopups[] = {{"Processes", kProcessesMenu}};
const MenuSpec kMenuBar{kProcessManagerMenu, kMenuBarPopups};
const MenuItemSpec kContextMenu[] = {
    {ID_END_PROCESS, "End Process"}, {ID_END_PROCESS_TREE, "End Process Tree"}, {0, nullptr}};

template <typename W>
W* WithId(W* control, int id) {
    control->setObjectName(QStringLiteral("id%1").arg(id));
    return control;
}

}  // namespace

CSelectProcessesDlg::CSelectProcessesDlg(const ProcessManagerServices& services, QWidget* parent)
    : QDialog(parent), services_(services), listReader_(services.processListFile) {
    setWindowTitle(QStringLiteral("Processes"));
    setWindowIcon(QIcon(IconPicture(kProcessManagerIcon)));
    // The layout is measured for an 8-point dialog font.
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    BuildControls();
    BuildMenus();
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("timer1"));
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(kAutoRefreshMs);
    connect(timer_, &QTimer::timeout, this, &CSelectProcessesDlg::OnTick);
    RefillList();
    LoadAutoRefresh();
}

void CSelectProcessesDlg::BuildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(Dlu(0, 0, 360, 242).size());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client);

    model_ = new ProcessListModel(this);
    processList_ = WithId(new ProcessListView(model_, client), IDC_PROCESS_LIST);
    processList_->setGeometry(Dlu(7, 7, 346, 194));
    connect(processList_, &QAbstractItemView::clicked, this, &CSelectProcessesDlg::OnRowClicked);
    connect(processList_, &QWidget::customContextMenuRequested, this,
            &CSelectProcessesDlg::OnListRightClick);

    countLabel_ = WithId(new QLabel(QStringLiteral("Processes: N/A"), client), IDC_PROCESS_COUNT);
    countLabel_->setGeometry(Dlu(7, 207, 120, 9));
    autoRefreshBox_ =
        WithId(new QCheckBox(QStringLiteral("Auto refresh"), client), IDC_AUTO_REFRESH);
    autoRefreshBox_->setGeometry(Dlu(7, 222, 80, 12));
    connect(autoRefreshBox_, &QCheckBox::clicked, this, [this] { OnCommand(IDC_AUTO_REFRESH); });

    const ButtonSpec buttons[] = {
        {IDC_SELECT_ALL, "&Select All", Dlu(141, 221, 50, 14)},
        {IDC_CLEAR_ALL, "&Clear All", Dlu(195, 221, 50, 14)},
        {IDC_SAVE_SELECTION, "&Save", Dlu(249, 221, 50, 14)},
        {IDC_CLOSE, "Clos&e", Dlu(303, 221, 50, 14)},
    };
    for (const ButtonSpec& spec : buttons) {
        auto* button = WithId(new QPushButton(QString::fromUtf8(spec.caption), client), spec.id);
        button->setGeometry(spec.rect);
        button->setAutoDefault(false);
        button->setDefault(spec.id == IDC_CLOSE);
        button->setVisible(spec.id != IDC_SELECT_ALL && spec.id != IDC_CLEAR_ALL);
        connect(button, &QPushButton::clicked, this, [this, id = spec.id] { OnCommand(id); });
    }
}

void CSelectProcessesDlg::BuildMenus() {
    const CommandSink send = [this](int id) { OnCommand(id); };
    layout()->setMenuBar(BuildMenuBar(kMenuBar, this, send));

    contextMenu_ = new QMenu(QStringLiteral("Menu"), this);
    contextMenu_->setObjectName(QStringLiteral("menu%1").arg(kProcessContextMenu));
    FillMenu(*contextMenu_, kContextMenu, send);
    QMenu* priorities = contextMenu_->addMenu(QStringLiteral("Set Priority"));
    std::vector<MenuItemSpec> items;
    for (const PriorityClass& priority : kPriorityClasses) {
        items.push_back({priority.command, priority.caption});
    }
    FillMenu(*priorities, items, send);
    priorityGroup_ = new QActionGroup(this);
    priorityGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* action : priorities->actions()) {
        action->setCheckable(true);
        priorityGroup_->addAction(action);
    }
}

bool CSelectProcessesDlg::OnCommand(int commandId) {
    // Command ids from `first` to `last` go to `handler`.
    struct CommandEntry {
        int first;
        int last;
        void (CSelectProcessesDlg::*handler)(int);
    };
    static const CommandEntry kCommandTable[] = {
        {IDC_CLOSE, IDC_CLOSE, &CSelectProcessesDlg::CloseDialog},
        {ID_CLOSE_PROCESSES, ID_CLOSE_PROCESSES, &CSelectProcessesDlg::CloseDialog},
        {ID_REFRESH_NOW, ID_REFRESH_NOW, &CSelectProcessesDlg::RefreshNow},
        {IDC_AUTO_REFRESH, IDC_AUTO_REFRESH, &CSelectProcessesDlg::AutoRefreshClicked},
        {IDC_SELECT_ALL, IDC_SELECT_ALL, &CSelectProcessesDlg::SelectAll},
        {IDC_CLEAR_ALL, IDC_CLEAR_ALL, &CSelectProcessesDlg::ClearAll},
        {IDC_SAVE_SELECTION, IDC_SAVE_SELECTION, &CSelectProcessesDlg::Save},
        {ID_END_PROCESS, ID_END_PROCESS, &CSelectProcessesDlg::EndProcess},
        {ID_END_PROCESS_TREE, ID_END_PROCESS_TREE, &CSelectProcessesDlg::EndProcess},
        {kPriorityClasses[5].command, kPriorityClasses[0].command,
         &CSelectProcessesDlg::SetPriority},
    };
    for (const CommandEntry& entry : kCommandTable) {
        if (commandId >= entry.first && commandId <= entry.last) {
            (this->*entry.handler)(commandId);
            return true;
        }
    }
    return false;
}

void CSelectProcessesDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        ApplySavedSelection();
    }
}

void CSelectProcessesDlg::RefillList() {
    model_->Refill(services_.processes.Snapshot());
    countLabel_->setText(QStringLiteral("Processes: %1").arg(model_->rowCount()));
    for (const int column : {ProcessListModel::kImageName, ProcessListModel::kThreadCount,
                             ProcessListModel::kProcessId}) {
        processList_->resizeColumnToContents(column);
    }
    processList_->setColumnWidth(ProcessListModel::kPath, kPathColumnWidth);
}

void CSelectProcessesDlg::CheckForChanges() {
    if (services_.processes.Counts().processes != model_->rowCount()) {
        RefillList();
    }
}

void CSelectProcessesDlg::LoadAutoRefresh() {
    IniFile ini(services_.settingsFile);
    ini.Load();
    autoRefreshBox_->setChecked(ini.GetInt(kGeneralSettings, kAutoRefreshKey, 0) != 0);
    if (autoRefreshBox_->isChecked()) {
        AutoRefreshClicked(IDC_AUTO_REFRESH);
    }
}

void CSelectProcessesDlg::AutoRefreshClicked(int) {
    const bool on = autoRefreshBox_->isChecked();
    if (on) {
        timer_->start();
    } else {
        timer_->stop();
    }
    IniFile ini(services_.settingsFile);
    ini.Load();
    ini.SetInt(kGeneralSettings, kAutoRefreshKey, on ? 1 : 0);
    ini.Save();
}

void CSelectProcessesDlg::OnTick() {
    if (autoRefreshBox_->isChecked()) {
        CheckForChanges();
        ApplySavedSelection();
    }
}

void CSelectProcessesDlg::CloseDialog(int) {
    accept();
}

void CSelectProcessesDlg::RefreshNow(int) {
    RefillList();
    ApplySavedSelection();
}

void RunProcessManager(const ProcessManagerServices& services) {
    CSelectProcessesDlg dialog(services);
    dialog.exec();
}

}  // namespace velmora
