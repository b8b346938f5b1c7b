// The main window as a user meets it: its controls, the Action drop menu,
// the progress bar's display of the countdown, and restoring at start-up.
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleHints>
#include <QTimeEdit>
#include <QtTest>

#include "controls/SkinButton.h"
#include "markup/MarkupTooltip.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "storage/IniFile.h"
#include "support/DialogFixture.h"

namespace velmora {

namespace {

std::int64_t LocalMs(int h, int mi, int s) {
    return test::FakeClock::LocalToEpochSeconds(2026, 12, 6, h, mi, s) * 1000;
}

template <typename T = QWidget>
T* Find(const test::DialogFixture& f, int id) {
    return f.dialog->findChild<T*>(QStringLiteral("id%1").arg(id));
}

QString Text(const test::DialogFixture& f, int id) {
    return Find<QLabel>(f, id)->text();
}

// Chooses an item of the "&Action" button's drop menu; the command arrives
// once the menu has closed, as a posted command.
void ChooseAction(const test::DialogFixture& f, int index) {
    auto* button = Find<SkinButton>(f, IDC_ACTION_BUTTON);
    QPoint shownAt;
    button->SetMenuRunner([&](QMenu& menu, const QPoint& at) {
        shownAt = at;
        return menu.actions()[index];
    });
    button->click();
    QCOMPARE(shownAt, button->mapToGlobal(QPoint(0, button->height())));
    QVERIFY(Find(f, IDC_ENABLE)->isEnabled());
    QCoreApplication::processEvents();
}

void Pick(const test::DialogFixture& f, QTime time) {
    Find<QDateEdit>(f, IDC_DATE_PICKER)->setDate(QDate(2026, 12, 6));
    Find<QTimeEdit>(f, IDC_TIME_PICKER)->setTime(time);
}

}  // namespace

class SchedulerDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsCarryTheirIdsAndCaptions();
    void actionMenuArmsWithItsAction();
    void progressBarClampsAndNeverShowsBusy();
    void armedScheduleIsRestoredAtStartUp();
    void reminderTipStaysInTheCornerUntilClosedOrDisarmed();
    void bothTimersTickInOneWakeUpWithOneStatisticsRefresh();
};

void SchedulerDialogTest::controlsCarryTheirIdsAndCaptions() {
    test::DialogFixture f;
    QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Velmora (Beta 2)"));
    // The menu bar comes on top of the 320 by 201 dialog units.
    const auto* menuBar = f.dialog->findChild<QMenuBar*>(QStringLiteral("menu37"));
    QCOMPARE(f.dialog->size(), QSize(480, 327 + menuBar->height()));
    QCOMPARE(f.dialog->minimumSize(), f.dialog->maximumSize());
    for (int id : {165, 166, 161, 167, 162, 168, 164, 169, 163, 185, 186, 182, 195, 196}) {
        QVERIFY(Find<QLabel>(f, id));
    }
    const QList<QPair<int, QString>> buttons = {
        {159, "E&nable"},      {160, "&Disable"},      {170, "&Test shutdown"},
        {151, "&Test logoff"}, {153, "&Test restart"}, {57670, "&Help"},
        {147, "&Settings"},    {171, "&Action"},       {2, "&Exit"}};
    for (const auto& [id, caption] : buttons) {
        QPushButton* button = Find<QPushButton>(f, id);
        QVERIFY2(button, qPrintable(caption));
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->isEnabled(), id != IDC_DISABLE);
    }
    QCOMPARE(Find<QDateEdit>(f, IDC_DATE_PICKER)->date(), QDate::currentDate());
}

void SchedulerDialogTest::actionMenuArmsWithItsAction() {
    test::DialogFixture f(LocalMs(10, 0, 0));
    QMenu* menu = Find<SkinButton>(f, IDC_ACTION_BUTTON)->DropMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Enable ShutDown routine"));

    Pick(f, QTime(22, 0, 0));
    ChooseAction(f, 1);
    QCOMPARE(Text(f, IDC_STATUS), QStringLiteral("Waiting to shutdown..."));
    QCOMPARE(Text(f, IDC_ACTION_TIME), QStringLiteral("Sunday 06 December 2026 22:00:00"));
    QVERIFY(!Find(f, IDC_ENABLE)->isEnabled());
    QVERIFY(Find(f, IDC_DISABLE)->isEnabled());
    IniFile ini(f.dir.File("Velmora.ini"));
    ini.Load();
    QCOMPARE(ini.GetInt("General Settings", "Action", -1), 1);

    // The Kill routine refuses an empty process list and stays disarmed.
    Find<QPushButton>(f, IDC_DISABLE)->click();
    ChooseAction(f, 6);
    QCOMPARE(f.prompt.LastText(), std::string("There is no selected processes on the list!\n"
                                              "Please select processes and try again."));
    QVERIFY(Find(f, IDC_ENABLE)->isEnabled());
}

void SchedulerDialogTest::progressBarClampsAndNeverShowsBusy() {
    test::DialogFixture f(LocalMs(10, 0, 0));
    auto* bar = Find<QProgressBar>(f, IDC_PROGRESS);
    auto rearm = [&](QTime target) {
        Find<QPushButton>(f, IDC_DISABLE)->click();
        f.clock.Set(LocalMs(10, 0, 0));
        Pick(f, target);
        Find<QPushButton>(f, IDC_ENABLE)->click();
        f.clock.Set(LocalMs(10, 10, 0));
        f.dialog->Core().OnTick(kCountdownTimer);
    };
    rearm(QTime(10, 30, 0));  // range 0..30, position 20
    QCOMPARE(bar->maximum(), 30);
    QCOMPARE(bar->value(), 20);
    rearm(QTime(11, 5, 0));  // range 0..5, position -5 shows empty
    QCOMPARE(bar->maximum(), 5);
    QCOMPARE(bar->value(), 0);
    rearm(QTime(9, 56, 56));  // a past target: an empty range shows empty, not busy
    QCOMPARE(Text(f, IDC_REMAINING), QStringLiteral("00:00:-13:-4"));
    QVERIFY(bar->maximum() > bar->minimum());
    QCOMPARE(bar->value(), bar->minimum());
}

void SchedulerDialogTest::armedScheduleIsRestoredAtStartUp() {
    test::DialogFixture f(LocalMs(9, 0, 0));
    test::WriteFile(f.dir.File("Velmora.ini"),
                    "[General Settings]\r\nIsEnabled=1\r\nYear=2027\r\nMonth=1\r\nDay=2\r\n"
                    "Hour=7\r\nMin=8\r\nSec=9\r\nAction=4\r\n\r\n");
    f.Make();
    QCOMPARE(Find<QDateEdit>(f, IDC_DATE_PICKER)->date(), QDate(2027, 1, 2));
    QCOMPARE(Find<QTimeEdit>(f, IDC_TIME_PICKER)->time(), QTime(7, 8, 9));
    QCOMPARE(Text(f, IDC_STATUS), QStringLiteral("Waiting to stand by..."));
    QVERIFY(!Find(f, IDC_ENABLE)->isEnabled());
}

void SchedulerDialogTest::reminderTipStaysInTheCornerUntilClosedOrDisarmed() {
    test::DialogFixture f(LocalMs(21, 59, 30));
    auto* tip = f.dialog->findChild<MarkupTooltip*>();
    Pick(f, QTime(22, 0, 0));
    for (const bool close : {true, false}) {
        f.clock.Set(LocalMs(21, 59, 30));
        f.dialog->OnCommand(ID_ENABLE_HIBERNATE);  // the window itself is not shown
        QVERIFY(tip->isVisible());
        QVERIFY(tip->CurrentTip().text.ends_with("Hibernate in <br>00:00:00:30<br><br><br>"));
        const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(tip->geometry().contains(free.bottomRight()));
        QCOMPARE(tip->PlacementDirection(), 0);  // above and left of the corner
        QVERIFY(!tip->findChild<QTimer*>(QStringLiteral("timer257"))->isActive());  // no hide
        if (close) {
            QTest::mouseClick(tip, Qt::LeftButton);
        }
        f.clock.Set(LocalMs(21, 59, 31));
        f.dialog->Core().OnTick(kCountdownTimer);
        QCOMPARE(tip->isVisible(), !close);  // closed for the rest of this arming
    }
    QVERIFY(tip->CurrentTip().text.ends_with("<br>00:00:00:29<br><br><br>"));
    Find<QPushButton>(f, IDC_DISABLE)->click();
    QVERIFY(!tip->isVisible());
}

void SchedulerDialogTest::bothTimersTickInOneWakeUpWithOneStatisticsRefresh() {
    test::DialogFixture f(LocalMs(10, 0, 0));
    Pick(f, QTime(10, 30, 0));
    Find<QPushButton>(f, IDC_ENABLE)->click();  // both timers run
    f.processes.countsAsked = 0;
    f.clock.Set(LocalMs(10, 0, 1));
    QTRY_COMPARE_WITH_TIMEOUT(f.processes.countsAsked, 1, 3000);
    QTest::qWait(200);  // the rest of that wake-up
    QCOMPARE(f.processes.countsAsked, 1);
    QCOMPARE(Text(f, IDC_REMAINING), QStringLiteral("00:00:29:59"));
    QVERIFY(Text(f, IDC_CURRENT_TIME).endsWith(QStringLiteral(" 10:00:01")));
    Find<QPushButton>(f, IDC_DISABLE)->click();
    QVERIFY(!f.dialog->IsTimerActive(kCountdownTimer) && f.dialog->IsTimerActive(kClockTimer));

    // A picker with the focus shows a steady caret, blinking again elsewhere.
    QStyleHints* hints = QGuiApplication::styleHints();
    const int flashTime = hints->cursorFlashTime();
    f.dialog->show();
    f.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.dialog.get()));
    for (int id : {IDC_DATE_PICKER, IDC_TIME_PICKER}) {
        Find(f, id)->setFocus();
        QCOMPARE(hints->cursorFlashTime(), 0);
        Find(f, IDC_SETTINGS)->setFocus();
        QCOMPARE(hints->cursorFlashTime(), flashTime);
    }
    QVERIFY(flashTime > 0);
}

}  // namespace velmora

QTEST_MAIN(velmora::SchedulerDialogTest)
#include "SchedulerDialogTest.moc"
