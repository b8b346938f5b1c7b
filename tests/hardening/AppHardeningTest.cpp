// The application against a second start, the main window against
// statistics with many digits.
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "app/VelmoraApp.h"
#include "scheduler/SchedulerDialog.h"
#include "scheduler/core/ControlIds.h"
#include "support/DialogFixture.h"
#include "support/VelmoraProcess.h"

namespace velmora {

class AppHardeningTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A crashed instance's lock file and socket stop nothing. A second start of
    // the real program ends with 0, and the minimized window comes back active.
    void secondStartBringsTheRunningWindowForwardAndEnds() {
        test::DialogFixture f;  // its fakes and files; Run makes its own window
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(f.dir.Path()));
        for (const char* left : {".lock", ".socket"}) {
            test::WriteFile(f.dir.File("velmora-" + std::to_string(getuid()) + left), "");
        }
        int secondExit = -1;
        bool cameForward = false;
        QTimer::singleShot(0, [&] {
            SchedulerDialog* window = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets()) {  // Run's, not the fixture's
                window = window || w == f.dialog.get() ? window : qobject_cast<SchedulerDialog*>(w);
            }
            window->showMinimized();
            test::TempDir exeDir;
            auto second = test::StartVelmora({test::InstallVelmoraCopy(exeDir.Path())},
                                             exeDir.Path(), {{"XDG_RUNTIME_DIR", f.dir.Path()}});
            if (second->WaitFor(std::chrono::seconds(20)) && WIFEXITED(second->Status())) {
                secondExit = WEXITSTATUS(second->Status());
            }
            cameForward = QTest::qWaitFor([&] {
                return window->isVisible() && !window->isMinimized() && window->isActiveWindow();
            });
            window->reject();  // Esc: the run ends with 0
        });
        const SchedulePaths paths{f.dir.File("Velmora.ini"), f.dir.File("Process.ini")};
        QCOMPARE(VelmoraApp().Run({f.clock, f.prompt, f.session, f.processes, f.alarm, paths, {}}),
                 0);
        QCOMPARE(secondExit, 0);
        QVERIFY(cameForward);
    }

    void statisticsShowTheirWholeText() {
        test::DialogFixture f;
        f.dialog->show();
        const QSize size = f.dialog->size();
        const std::pair<int, std::string> texts[] = {
            {IDC_RUNNING_PROCESSES, "Running processes: "},
            {IDC_THREADS_RUNNING, "Threads running: 10"},
            {IDC_PROCESSES_FOR_TERMINATION, "Processes for termination: "}};
        QRect previous;
        for (const auto& [id, text] : texts) {
            f.dialog->SetText(id, text + "2147483647");
        }
        for (const auto& [id, text] : texts) {
            auto* label = f.dialog->findChild<QLabel*>(QStringLiteral("id%1").arg(id));
            const QRect place = label->geometry();
            QVERIFY(place.width() >= label->fontMetrics().horizontalAdvance(label->text()));
            QVERIFY(f.dialog->rect().contains(place) && !place.intersects(previous));
            previous = place;
        }
        QCOMPARE(f.dialog->size(), size);
    }
};

}  // namespace velmora

QTEST_MAIN(velmora::AppHardeningTest)
#include "AppHardeningTest.moc"
