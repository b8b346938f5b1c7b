// The main window's commands as its menus, buttons and icon send them, and
// its way into and out of the notification area.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "controls/CTrayIcon.h"
#include "scheduler/core/ControlIds.h"
#include "support/DialogFixture.h"

namespace velmora {

namespace {

// Every item of a menu (or menu bar) and of its drop-downs, by command id.
QMap<int, QAction*> Items(const QWidget* menu, QMap<int, QAction*> items = {}) {
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            items = Items(action->menu(), items);
        } else if (!action->isSeparator()) {
            items.insert(action->data().toInt(), action);
        }
    }
    return items;
}

// A menu's captions in order: drop-downs in brackets, separators as "-".
QString Captions(const QWidget* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-")
                     : action->menu()      ? action->text() + '[' + Captions(action->menu()) + ']'
                                           : action->text());
    }
    return captions.join('|');
}

void Settings(const test::DialogFixture& f, const std::string& lines) {
    test::WriteFile(f.dir.File("Velmora.ini"), "[General Settings]\n" + lines);
}

}  // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCommandHasAnItemAndEveryItemACommand() {
        test::DialogFixture f;
        Settings(f, "UseSystemTray=1\n");
        f.dialog->show();
        f.dialog->showMinimized();
        QTRY_VERIFY(f.dialog->TrayIcon());
        QVERIFY(
            f.dialog->TrayIcon()->OnIconNotify(IDR_TRAY_MENU, CTrayIcon::Notify::RightButtonUp));
        auto* trayMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(trayMenu && trayMenu->defaultAction() == trayMenu->actions().first());  // bold

        const QMap<int, QAction*> items =
            Items(trayMenu, Items(f.dialog->ActionMenu(), Items(f.dialog->findChild<QMenuBar*>())));
        const std::vector<int> handled = SchedulerDialog::HandledCommands();
        for (int id : handled) {  // Enter sends ID_OK
            QVERIFY2(id == ID_OK || items.contains(id) ||
                         f.dialog->findChild<QWidget*>(QStringLiteral("id%1").arg(id)),
                     qPrintable(QString::number(id)));
        }
        for (int id : items.keys()) {
            QCOMPARE(std::count(handled.begin(), handled.end(), id), id == ID_MANAGE_TASKS ? 0 : 1);
        }
        const QString now =
            "ShutDown Now|LogOff Now|Restart Now |Stand By Now|Hibernate "
            "Now|Kill Processes Now|-|";
        QCOMPARE(Captions(f.dialog->findChild<QMenuBar*>()),
                 "&Shutdown[" + now +
                     "&Exit Program]|Task Scheduler[Manage Scheduled Tasks]|My Task  Manager["
                     "Select Processes For Termination]|&Options[&General Settings]|&Help[Report "
                     "a bug...|&Orlendt on the Web|&Rate Velmora...|-|&Help Topic|&About "
                     "Velmora...]");
        QCOMPARE(Captions(trayMenu),
                 "Show main window|-|" + now + "&General Settings|-|&Exit Program");
    }

    void nowCommandsActOnlyOnYes() {
        test::DialogFixture f;
        const QMap<int, QAction*> items = Items(f.dialog->findChild<QMenuBar*>());
        f.dialog->OnCommand(IDC_ENABLE);
        const std::string settings = test::ReadFile(f.dir.File("Velmora.ini"));
        for (int yes : {0, 1}) {
            for (int id : {ID_SHUTDOWN_NOW, ID_LOGOFF_NOW, ID_RESTART_NOW, ID_STANDBY_NOW,
                           ID_HIBERNATE_NOW, ID_KILL_NOW}) {
                f.prompt.yesAnswers = yes;
                items[id]->trigger();
            }
            if (!yes) {  // six questions answered No change nothing, not even the timers
                QCOMPARE(f.prompt.shown.size(), 6u);
                QVERIFY(f.session.journal.calls.empty() && f.dialog->IsTimerActive(kClockTimer) &&
                        f.dialog->IsTimerActive(kCountdownTimer));
                QCOMPARE(test::ReadFile(f.dir.File("Velmora.ini")), settings);
            }
        }
        // Five requests, each interactive (the system may ask for a password).
        const std::vector<std::string>& calls = f.session.journal.calls;
        QCOMPARE(
            std::count_if(calls.begin(), calls.end(), [](auto& c) { return c.ends_with(" 1"); }),
            8);
        QCOMPARE(f.prompt.LastText(), std::string("There is no selected processes on the list!\n"
                                                  "Please select processes and try again."));
    }

    void minimizeAndCloseFollowUseSystemTray() {
        // UseSystemTray, a tray exists, close (else minimize), then: hidden,
        // minimized, the process ended with code 1.
        const bool cases[][6] = {
            {1, 1, 0, 1, 1, 0}, {1, 1, 1, 1, 0, 0},
            {1, 0, 0, 0, 1, 0}, {1, 0, 1, 0, 1, 0},  // no tray: the taskbar instead
            {0, 1, 0, 0, 1, 0}, {0, 1, 1, 0, 0, 1},
        };
        for (const auto& [useTray, trayAvailable, close, hidden, minimized, ended] : cases) {
            test::DialogFixture f;
            Settings(f, useTray ? "UseSystemTray=1\n" : "");
            f.trayAvailable = trayAvailable;
            f.dialog->show();
            close ? (void)f.dialog->close() : f.dialog->showMinimized();
            QCoreApplication::processEvents();
            QCOMPARE(f.dialog->isHidden(), hidden);
            QCOMPARE(f.dialog->isMinimized(), minimized);
            QCOMPARE(f.dialog->TrayIcon() ? f.dialog->TrayIcon()->Tip() : "",
                     hidden ? "Velmora (Beta 2)" : "");
            QCOMPARE(f.exitCodes, std::vector<int>(ended, 1));
            f.dialog->OnCommand(ID_SHOW_MAIN_WINDOW);
            QVERIFY(f.dialog->isVisible() && !f.dialog->isMinimized() && !f.dialog->TrayIcon());
        }
    }

    void settingsOtherDialogsLinksAndExit() {
        test::DialogFixture f;
        f.dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(f.dialog.get()));
        auto* status = f.dialog->findChild<QLabel*>(QStringLiteral("id%1").arg(IDC_STATUS));
        Settings(f, "Action=3\n");
        QTest::keyClick(f.dialog.get(), Qt::Key_S, Qt::AltModifier);  // the button, not the menu
        QCOMPARE(status->text(), "Waiting for command...");           // disarmed: nothing changes
        f.dialog->OnCommand(IDC_ENABLE);
        Settings(f, "Action=1\n");
        f.settingsResult = 0;
        f.dialog->OnCommand(ID_GENERAL_SETTINGS);
        QCOMPARE(status->text(), "Waiting to restart...");
        f.settingsResult = 1;
        f.dialog->OnCommand(ID_GENERAL_SETTINGS);
        QCOMPARE(status->text(), "Waiting to shutdown...");
        Settings(f, "Action=9\n");
        f.dialog->OnCommand(IDC_SETTINGS);
        QCOMPARE(f.prompt.LastText(), std::string("Check your action options"));

        for (int id : {ID_SELECT_PROCESSES, ID_ABOUT, ID_WEB_SITE, ID_REVIEW, ID_REPORT_BUG,
                       ID_EXIT_PROGRAM}) {
            Items(f.dialog->findChild<QMenuBar*>())[id]->trigger();
        }
        QCOMPARE(f.opened,
                 (std::vector<std::string>{
                     "settings", "settings", "settings", "settings", "process manager", "about",
                     "https://www.example.org/velmora/", "https://www.example.org/velmora/review",
                     "mailto:velmora-bugs@example.org"}));
        QCOMPARE(f.exitCodes, std::vector<int>{1});
    }
};

}  // namespace velmora

QTEST_MAIN(velmora::MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
