// The main window as a user meets it: its controls and the Action drop menu,
// the progress bar's display of the countdown, and the keys and commands that
// end it or open help.
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleHints>
#include <QTimeEdit>
#include <QtTest>

#include "app/VelmoraApp.h"
#include "controls/SkinButton.h"
#include "markup/MarkupTooltip.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "support/DialogFixture.h"

using namespace velmora;

namespace {

std::int64_t LocalMs(int h, int mi, int s) {
    return test::FakeClock::LocalToEpochSeconds(2026, 12, 6, h, mi, s) * 1000;
}

template <typename T = QWidget>
T* Find(const test::DialogFixture& f, int id) {
    return f.dialog->findChild<T*>(QStringLiteral("id%1").arg(id));
}

// Chooses an item of the "&Action" button's drop menu, shown below the
// button; the command arrives once the menu has closed, as a posted command.
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
    void controlsCarryTheirIdsAndCaptions() {
        test::DialogFixture f;
        QCOMPARE(f.dialog->windowTitle(), "Velmora (Beta 2)");
        // The menu bar comes on top of the 320 by 201 dialog units.
        const auto* menuBar = f.dialog->findChild<QMenuBar*>(QStringLiteral("menu37"));
        QCOMPARE(f.dialog->size(), QSize(480, 327 + menuBar->height()));
        QCOMPARE(f.dialog->minimumSize(), f.dialog->maximumSize());
        QString buttons;  // id, caption, and "-" when disabled
        for (int id : {159, 160, 170, 151, 153, 57670, 147, 171, 2}) {
            const QPushButton* b = Find<QPushButton>(f, id);
            buttons +=
                QString("%1 %2%3|").arg(id).arg(b ? b->text() : "?", b->isEnabled() ? "" : "-");
        }
        QCOMPARE(buttons,
                 "159 E&nable|160 &Disable-|170 &Test shutdown|151 &Test logoff|"
                 "153 &Test restart|57670 &Help|147 &Settings|171 &Action|2 &Exit|");
        QCOMPARE(Find<QDateEdit>(f, IDC_DATE_PICKER)->date(), QDate::currentDate());
    }

    void actionMenuArmsWithItsAction() {
        test::DialogFixture f(LocalMs(10, 0, 0));
        const QMenu* menu = Find<SkinButton>(f, IDC_ACTION_BUTTON)->DropMenu();
        QString items;
        for (const QAction* action : menu->actions()) {
            items += QString("%1 %2|").arg(action->data().toInt()).arg(action->text());
        }
        QCOMPARE(items,
                 "32815 Enable Alarm routine|32778 Enable ShutDown routine|32786 Enable LogOff "
                 "routine|32779 Enable Restart routine|32791 Enable Stand By routine|32792 Enable "
                 "Hibernate routine|32793 Enable Kill Processes routine|");
        Pick(f, QTime(22, 0, 0));
        ChooseAction(f, 3);
        QVERIFY(!Find(f, IDC_ENABLE)->isEnabled() && Find(f, IDC_DISABLE)->isEnabled());
        QCOMPARE(Find<QLabel>(f, IDC_ACTION_TIME)->text(), "Sunday 06 December 2026 22:00:00");
        QVERIFY(test::ReadFile(f.dir.File("Velmora.ini")).find("Action=3") != std::string::npos);
    }

    // The bar clamps the position into its range, and an empty range shows
    // an empty bar rather than a busy one.
    void progressBarClampsAndNeverShowsBusy() {
        test::DialogFixture f(LocalMs(10, 0, 0));
        const auto* bar = Find<QProgressBar>(f, IDC_PROGRESS);
        // Armed at 10:00 for a target, then the picker moved, and a tick at 10:10.
        const std::tuple<QTime, QTime, int, int> cases[] = {
            {QTime(10, 30, 0), QTime(10, 30, 0), 30, 20},
            {QTime(10, 30, 0), QTime(10, 59, 0), 30, 30},
            {QTime(11, 5, 0), QTime(11, 5, 0), 5, 0},
            {QTime(9, 56, 56), QTime(9, 56, 56), 1, 0}};
        for (const auto& [target, moved, maximum, value] : cases) {
            Find<QPushButton>(f, IDC_DISABLE)->click();
            f.clock.Set(LocalMs(10, 0, 0));
            Pick(f, target);
            Find<QPushButton>(f, IDC_ENABLE)->click();
            Pick(f, moved);
            f.clock.Set(LocalMs(10, 10, 0));
            f.dialog->Core().OnTick(kCountdownTimer);
            QCOMPARE(std::tuple(bar->minimum(), bar->maximum(), bar->value()),
                     std::tuple(0, maximum, value));
        }
    }

    void reminderTipStaysInTheCornerUntilClosedOrDisarmed() {
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

    void bothTimersTickInOneWakeUpWithOneStatisticsRefresh() {
        test::DialogFixture f(LocalMs(10, 0, 0));
        Pick(f, QTime(10, 30, 0));
        Find<QPushButton>(f, IDC_ENABLE)->click();  // both timers run
        f.processes.countsAsked = 0;
        f.clock.Set(LocalMs(10, 0, 1));
        QTRY_COMPARE_WITH_TIMEOUT(f.processes.countsAsked, 1, 3000);
        QTest::qWait(200);  // the rest of that wake-up
        QCOMPARE(f.processes.countsAsked, 1);
        QCOMPARE(Find<QLabel>(f, IDC_REMAINING)->text(), "00:00:29:59");
        QVERIFY(Find<QLabel>(f, IDC_CURRENT_TIME)->text().endsWith(" 10:00:01"));
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

    // Esc, the "&Exit" button, and Enter outside a button (the OK command) end
    // the dialog; Ctrl+A does nothing; both help commands open the manual.
    void keysAndCommands() {
        for (const int key : {int(Qt::Key_Escape), int(Qt::Key_Return), 0}) {
            test::DialogFixture f;
            f.dialog->show();
            auto* date = Find<QDateEdit>(f, IDC_DATE_PICKER);
            date->setFocus();
            QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
            QVERIFY(f.dialog->isVisible() && Find(f, IDC_ENABLE)->isEnabled());
            key ? QTest::keyClick(date, Qt::Key(key)) : Find<QPushButton>(f, IDC_EXIT)->click();
            QVERIFY(!f.dialog->isVisible() && f.prompt.shown.empty());
        }
        test::DialogFixture f;
        QVERIFY(f.dialog->OnCommand(IDC_HELP) && f.dialog->OnCommand(ID_HELP_TOPIC));
        QCOMPARE(f.helpOpened, 2);
        QUrl opened;
        VelmoraApp([&opened](const QUrl& url) { return (opened = url).isValid(); }).OnHelp();
        QVERIFY(opened.toLocalFile().endsWith("help/index.html"));
        QVERIFY2(QFile::exists(opened.toLocalFile()), qPrintable(opened.toString()));
    }
};

QTEST_MAIN(SchedulerDialogTest)
#include "SchedulerDialogTest.moc"
