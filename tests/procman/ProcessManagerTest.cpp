// The process manager over a made-up process table, or over the real one with
// this test's own children, the only processes it ends or reprioritises.
#include <sys/resource.h>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <set>

#include "fakes/Fakes.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform_procs/OwnChildren.h"
#include "procman/CSelectProcessesDlg.h"

namespace velmora {

namespace {

using test::ReadFile;

struct Manager {
    Manager(ProcessTable& table, const std::string& list, const std::string& settings = "") {
        test::WriteFile(dir.File("Process.ini"), list);
        test::WriteFile(dir.File("Velmora.ini"), "[General Settings]\n" + settings);
        dialog = std::make_unique<CSelectProcessesDlg>(ProcessManagerServices{
            dir.File("Velmora.ini"), dir.File("Process.ini"), table, prompt});
        dialog->show();
    }
    template <typename T = QPushButton>
    T* Find(const QString& name) const {
        return dialog->findChild<T*>(name);
    }
    QTableView* List() const { return Find<QTableView>("id188"); }
    QModelIndex At(int row, int column = 0) const { return List()->model()->index(row, column); }
    QString Row(int row) const {  // the headings for row -1
        QStringList cells;
        for (int column = 0; column < 4; ++column) {
            cells << (row < 0 ? List()->model()->headerData(column, Qt::Horizontal)
                              : At(row, column).data())
                         .toString();
        }
        return cells.join('|');
    }
    QString Checks() const {
        QString marks;
        for (int row = 0; row < List()->model()->rowCount(); ++row) {
            marks += At(row).data(Qt::CheckStateRole) == Qt::Checked ? '1' : '0';
        }
        return marks;
    }
    int RowOf(pid_t pid) const {
        const auto found =
            List()->model()->match(At(0, 3), Qt::DisplayRole, pid, 1, Qt::MatchExactly);
        return found.isEmpty() ? -1 : found[0].row();
    }
    // Clicks the row's check box.
    void Click(int row, Qt::MouseButton button = Qt::LeftButton) const {
        List()->scrollTo(At(row));
        const QRect cell = List()->visualRect(At(row));
        QTest::mouseClick(List()->viewport(), button, {}, {cell.left() + 8, cell.center().y()});
    }
    QMenu* RightClick(int row) const {
        Click(row, Qt::RightButton);
        const QPoint pos = List()->visualRect(At(row)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos,
                                List()->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(List()->viewport(), &event);
        return Find<QMenu>("menu47");
    }
    QAction* Command(int id) const {
        const auto actions = dialog->findChildren<QAction*>();
        return *std::ranges::find_if(actions, [id](QAction* a) { return a->data() == id; });
    }

    test::TempDir dir;
    test::FakePrompt prompt;
    std::unique_ptr<CSelectProcessesDlg> dialog;
};

// The nice value all threads of a process share; 99 when they differ.
int Nice(pid_t pid) {
    std::set<int> values;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        values.insert(getpriority(PRIO_PROCESS, std::stoi(task.path().filename())));
    }
    return values.size() == 1 ? *values.begin() : 99;
}

}  // namespace

class ProcessManagerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsShowTheSnapshotNewestFirst();
    void clicksInvertAndSaveTheCheckedRowsTopToBottom();
    void savedNamesCheckExactMatchesOnly();
    void endProcessEndsOnlyThatChild();
    void endProcessTreeEndsTheGrandchildToo();
    void priorityReachesEveryThread();
    void autoRefreshIsStoredAndListsNewProcesses();
};

void ProcessManagerTest::rowsShowTheSnapshotNewestFirst() {
    test::FakeProcessTable table;
    table.Add(5, "b.exe", 3, "\\??\\C:\\b.exe");
    table.Add(9, "a.exe", 1, "/bin/a?");
    Manager m(table, "");
    QCOMPARE(m.Find<QLabel>("id189")->text(), QStringLiteral("Processes: 3"));
    QCOMPARE(m.Row(0), QStringLiteral("a.exe|1|/bin/a|9"));
    QCOMPARE(m.Row(1), QStringLiteral("b.exe|3|\\\\C:\\b.exe|5"));
    QCOMPARE(m.Row(2), QStringLiteral("[System idle]|Not Accessible|Not Accessible|"));
    QCOMPARE(m.Row(-1), QStringLiteral("Image Name|Thread count|Path|Process ID"));
    QCOMPARE(m.List()->columnWidth(2), 220);
}

void ProcessManagerTest::clicksInvertAndSaveTheCheckedRowsTopToBottom() {
    test::FakeProcessTable table;
    table.Add(5, "b.exe");
    table.Add(9, "a.exe");
    Manager m(table, "[Other]\r\nx=1\r\n");
    const std::string list = m.dir.File("Process.ini");
    QWidget* viewport = m.List()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, {5, viewport->height() - 3});  // below the rows
    QCOMPARE(ReadFile(list), "[Other]\r\nx=1\r\n");
    m.Click(1);
    m.Click(0);
    QCOMPARE(ReadFile(list), "[Processes]\r\nFile0=a.exe\r\nFile1=b.exe\r\n\r\n");
    m.Click(0);
    QCOMPARE(m.Checks(), QStringLiteral("010"));
    QCOMPARE(ReadFile(list), "[Processes]\r\nFile0=b.exe\r\n\r\n");
    m.Find("id198")->click();
    QCOMPARE(m.Checks(), QStringLiteral("111"));
    m.Find("id199")->click();
    QCOMPARE(ReadFile(list), "[Processes]\r\nFile0=b.exe\r\n\r\n");
    m.Find("id200")->click();
    QCOMPARE(ReadFile(list), "");
}

void ProcessManagerTest::savedNamesCheckExactMatchesOnly() {
    test::FakeProcessTable table;
    for (const auto& [pid, name] : {std::pair{5, "a.exe"}, {7, "b.exe"}, {9, "a.exe"}}) {
        table.Add(pid, name);
    }
    Manager m(table, "[Processes]\nFile0=a.exe\nFile1=B.exe\nFile3=b.exe\n");
    QCOMPARE(m.Checks(), QStringLiteral("1010"));
    test::WriteFile(m.dir.File("Process.ini"), "[Processes]\nFile0=b.exe\n");
    m.Command(32788)->trigger();  // Refresh Now
    QCOMPARE(m.Checks(), QStringLiteral("0100"));
}

void ProcessManagerTest::endProcessEndsOnlyThatChild() {
    test::OwnChildren kids;
    const pid_t doomed = kids.Start(kids.Prefix() + "a");
    const pid_t spared = kids.Start(kids.Prefix() + "b");
    ProcProcessTable table;
    Manager m(table, "[Processes]\nFile0=" + kids.Prefix() + "b\n");
    QVERIFY(!m.RightClick(m.List()->model()->rowCount() - 1)->isVisible());  // the idle row
    QVERIFY(m.RightClick(m.RowOf(doomed))->isVisible());
    m.Command(32801)->trigger();
    QCOMPARE(WTERMSIG(kids.Reap(doomed)), SIGKILL);
    QCOMPARE(kids.Reap(spared, WNOHANG), -1);
    QCOMPARE(m.Checks()[m.RowOf(spared)], '1');  // refilled, with the saved marks
}

void ProcessManagerTest::endProcessTreeEndsTheGrandchildToo() {
    test::OwnChildren kids;
    const pid_t child = kids.Start(kids.Prefix() + "p", 0, kids.Prefix() + "g");
    ProcProcessTable table;
    pid_t grandchild = 0;
    QTRY_VERIFY(std::ranges::any_of(table.Snapshot(), [&](const ProcessEntry& e) {
        grandchild = e.pid;
        return e.parentPid == child && e.name == kids.Prefix() + "g";
    }));
    Manager m(table, "");
    m.RightClick(m.RowOf(child));
    m.Command(32808)->trigger();
    QCOMPARE(WTERMSIG(kids.Reap(child)), SIGKILL);
    const std::string stat = "/proc/" + std::to_string(grandchild) + "/stat";
    QTRY_VERIFY(ReadFile(stat).empty() || ReadFile(stat).find(") Z ") != std::string::npos);
}

void ProcessManagerTest::priorityReachesEveryThread() {
    test::OwnChildren kids;
    const pid_t child = kids.Start(kids.Prefix() + "t", 2);
    ProcProcessTable table;
    Manager m(table, "");
    m.RightClick(m.RowOf(child));
    m.Command(32802)->trigger();  // Low
    QCOMPARE(Nice(child), 19);
    m.RightClick(m.RowOf(child));
    QVERIFY(m.Command(32802)->isChecked() && !m.Command(32804)->isChecked());
    m.Command(32806)->trigger();  // High: only with the privilege to raise priorities
    const int high = geteuid() == 0 ? -10 : 19;
    QCOMPARE(Nice(child), high);
    m.Command(32807)->trigger();  // Realtime, answered No
    QCOMPARE(Nice(child), high);
    QVERIFY(m.prompt.LastText().find("realtime priority") != std::string::npos);
    m.prompt.AnswerYes();
    m.Command(32807)->trigger();
    QCOMPARE(Nice(child), geteuid() == 0 ? -20 : high);
}

void ProcessManagerTest::autoRefreshIsStoredAndListsNewProcesses() {
    test::FakeProcessTable table;
    Manager m(table, "[Processes]\nFile0=new.exe\n", "AutoRefresh=2\n");
    auto* box = m.Find<QCheckBox>("id190");
    QVERIFY(box->isChecked());
    QVERIFY(ReadFile(m.dir.File("Velmora.ini")).find("AutoRefresh=1\r\n") != std::string::npos);
    table.Add(77, "new.exe");
    QTRY_COMPARE_WITH_TIMEOUT(m.Row(0) + m.Checks(), QStringLiteral("new.exe|1||7710"), 2500);
    box->click();
    QVERIFY(!m.Find<QTimer>("timer1")->isActive());
    QVERIFY(ReadFile(m.dir.File("Velmora.ini")).find("AutoRefresh=0\r\n") != std::string::npos);
}

}  // namespace velmora

QTEST_MAIN(velmora::ProcessManagerTest)
#include "ProcessManagerTest.moc"
