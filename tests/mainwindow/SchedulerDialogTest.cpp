// The main window as a user meets it: its controls, the Action drop menu,
// arming, the live countdown on the progress bar and restoring at start-up.
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimeEdit>
#include <QtTest>

#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "storage/IniFile.h"
#include "support/DialogFixture.h"

namespace velmora {

namespace {

std::int64_t LocalMs(int y, int mo, int d, int h, int mi, int s) {
    return test::FakeClock::LocalToEpochSeconds(y, mo, d, h, mi, s) * 1000;
}

QString Text(const test::DialogFixture& f, int id) {
    auto* label = f.dialog->findChild<QLabel*>(QStringLiteral("id%1").arg(id));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(id);
}

QPushButton* Button(const test::DialogFixture& f, int id) {
    return f.dialog->findChild<QPushButton*>(QStringLiteral("id%1").arg(id));
}

void Pick(const test::DialogFixture& f, QDate date, QTime time) {
    f.dialog->findChild<QDateEdit*>(QStringLiteral("id150"))->setDate(date);
    f.dialog->findChild<QTimeEdit*>(QStringLiteral("id146"))->setTime(time);
}

}  // namespace

class SchedulerDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsCarryTheirIdsAndCaptions();
    void actionMenuArmsWithItsAction();
    void countdownDrivesLabelsAndProgressBar();
    void armedScheduleIsRestoredAtStartUp();
    void testButtonsReportThePrivilegeCheck();
};

void SchedulerDialogTest::controlsCarryTheirIdsAndCaptions() {
    test::DialogFixture f;
    QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Velmora (Beta 2)"));
    QCOMPARE(f.dialog->size(), QSize(480, 327));
    QCOMPARE(f.dialog->minimumSize(), f.dialog->maximumSize());

    const QList<QPair<int, QString>> labels = {
        {165, "Select date and time you want your pc to perform an action"},
        {166, "Action:"}, {161, "Disabled"}, {167, "Status:"}, {162, "Waiting for command..."},
        {168, "Action time:"}, {164, "Waiting time..."}, {169, "Current time:"},
        {163, "Getting system time..."}, {185, "Remaining time:"}, {186, "00:00:00:00"},
        {182, ""}, {195, QString::fromUtf8("Getting system information\u2026")}, {196, ""}};
    for (const auto& [id, text] : labels) {
        QCOMPARE(Text(f, id), text);
    }
    const QList<QPair<int, QString>> buttons = {
        {159, "E&nable"}, {160, "&Disable"}, {170, "&Test shutdown"}, {151, "&Test logoff"},
        {153, "&Test restart"}, {57670, "&Help"}, {147, "&Settings"}, {171, "&Action"},
        {2, "&Exit"}};
    for (const auto& [id, caption] : buttons) {
        QPushButton* button = Button(f, id);
        QVERIFY2(button, qPrintable(caption));
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->isEnabled(), id != IDC_DISABLE);
    }
    QVERIFY(f.dialog->findChild<QProgressBar*>(QStringLiteral("id184")));
    QCOMPARE(f.dialog->findChild<QDateEdit*>(QStringLiteral("id150"))->date(),
             QDate::currentDate());
}

void SchedulerDialogTest::actionMenuArmsWithItsAction() {
    test::DialogFixture f(LocalMs(2026, 12, 6, 10, 0, 0));
    QMenu* menu = Button(f, IDC_ACTION_BUTTON)->menu();
    QVERIFY(menu);
    const QList<QPair<int, QString>> items = {
        {32815, "Enable Alarm routine"},    {32778, "Enable ShutDown routine"},
        {32786, "Enable LogOff routine"},   {32779, "Enable Restart routine"},
        {32791, "Enable Stand By routine"}, {32792, "Enable Hibernate routine"},
        {32793, "Enable Kill Processes routine"}};
    QCOMPARE(menu->actions().size(), items.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(menu->actions()[i]->data().toInt(), items[i].first);
        QCOMPARE(menu->actions()[i]->text(), items[i].second);
    }

    Pick(f, QDate(2026, 12, 6), QTime(22, 0, 0));
    menu->actions()[1]->trigger();
    QCOMPARE(Text(f, 161), QStringLiteral("Enabled"));
    QCOMPARE(Text(f, 162), QStringLiteral("Waiting to shutdown..."));
    QCOMPARE(Text(f, 164), QStringLiteral("Sunday 06 December 2026 22:00:00"));
    QVERIFY(!Button(f, IDC_ENABLE)->isEnabled());
    QVERIFY(Button(f, IDC_DISABLE)->isEnabled());
    IniFile ini(f.dir.File("Velmora.ini"));
    ini.Load();
    QCOMPARE(ini.GetInt("General Settings", "Action", -1), 1);
    QCOMPARE(ini.GetInt("General Settings", "IsEnabled", -1), 1);

    // The Kill routine refuses an empty process list and stays as it was.
    Button(f, IDC_DISABLE)->click();
    menu->actions()[6]->trigger();
    QCOMPARE(f.prompt.LastText(), std::string("There is no selected processes on the list!\n"
                                              "Please select processes and try again."));
    QVERIFY(Button(f, IDC_ENABLE)->isEnabled());
    QCOMPARE(Text(f, 161), QStringLiteral("Disabled"));
}

void SchedulerDialogTest::countdownDrivesLabelsAndProgressBar() {
    test::DialogFixture f(LocalMs(2026, 12, 6, 10, 0, 0));
    auto* bar = f.dialog->findChild<QProgressBar*>(QStringLiteral("id184"));
    Pick(f, QDate(2026, 12, 6), QTime(10, 30, 0));
    Button(f, IDC_ENABLE)->click();
    QCOMPARE(bar->maximum(), 30);

    f.clock.Set(LocalMs(2026, 12, 6, 10, 0, 1));
    f.dialog->Core().OnTick(kCountdownTimer);
    QCOMPARE(Text(f, 163), QStringLiteral("Sunday 06 December 2026 10:00:01"));
    QCOMPARE(Text(f, 186), QStringLiteral("00:00:29:59"));
    f.clock.Set(LocalMs(2026, 12, 6, 10, 10, 0));
    f.dialog->Core().OnTick(kClockTimer);
    QCOMPARE(bar->value(), 20);

    // A target 1 h 5 min ahead: the bar spans 5 and a position below its
    // range shows empty instead of being ignored.
    Button(f, IDC_DISABLE)->click();
    f.clock.Set(LocalMs(2026, 12, 6, 10, 0, 0));
    Pick(f, QDate(2026, 12, 6), QTime(11, 5, 0));
    Button(f, IDC_ENABLE)->click();
    QCOMPARE(bar->maximum(), 5);
    f.clock.Set(LocalMs(2026, 12, 6, 10, 10, 0));
    f.dialog->Core().OnTick(kCountdownTimer);
    QCOMPARE(bar->value(), 0);

    // A past target: negative components, an empty bar, and no busy
    // animation from an empty range.
    Button(f, IDC_DISABLE)->click();
    Pick(f, QDate(2026, 12, 6), QTime(10, 6, 56));
    Button(f, IDC_ENABLE)->click();
    f.dialog->Core().OnTick(kCountdownTimer);
    QCOMPARE(Text(f, 186), QStringLiteral("00:00:-3:-4"));
    QVERIFY(bar->maximum() > bar->minimum());
    QCOMPARE(bar->value(), bar->minimum());
    QVERIFY(f.prompt.shown.empty());
}

void SchedulerDialogTest::armedScheduleIsRestoredAtStartUp() {
    test::DialogFixture f(LocalMs(2026, 12, 6, 9, 0, 0));
    test::WriteFile(f.dir.File("Velmora.ini"),
                    "[General Settings]\r\nIsEnabled=1\r\nYear=2027\r\nMonth=1\r\nDay=2\r\n"
                    "Hour=7\r\nMin=8\r\nSec=9\r\nAction=4\r\n\r\n");
    f.Make();
    QCOMPARE(f.dialog->findChild<QDateEdit*>(QStringLiteral("id150"))->date(), QDate(2027, 1, 2));
    QCOMPARE(f.dialog->findChild<QTimeEdit*>(QStringLiteral("id146"))->time(), QTime(7, 8, 9));
    QCOMPARE(Text(f, 162), QStringLiteral("Waiting to stand by..."));
    QCOMPARE(Text(f, 164), QStringLiteral("Saturday 02 January 2027 07:08:09"));
    QVERIFY(!Button(f, IDC_ENABLE)->isEnabled());
}

void SchedulerDialogTest::testButtonsReportThePrivilegeCheck() {
    test::DialogFixture f;
    Button(f, IDC_TEST_SHUTDOWN)->click();
    QCOMPARE(f.prompt.LastText(), std::string("Shutdown test passed successfully"));
    f.session.canExit = false;
    Button(f, IDC_TEST_RESTART)->click();
    QCOMPARE(f.prompt.LastText(), std::string("Restart has not pass the test"));
    Button(f, IDC_TEST_LOGOFF)->click();
    QCOMPARE(f.prompt.LastText(), std::string("Logoff has not pass the test"));
    // Testing asks, it never ends anything.
    for (const std::string& call : f.session.journal.calls) {
        QVERIFY2(call.rfind("CanExit", 0) == 0, call.c_str());
    }
}

}  // namespace velmora

QTEST_MAIN(velmora::SchedulerDialogTest)
#include "SchedulerDialogTest.moc"
