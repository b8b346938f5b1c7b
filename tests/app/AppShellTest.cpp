// The application shell around the main window: how the window ends, the
// help commands and the unhandled Ctrl+A command.
#include <QDateEdit>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include "app/VelmoraApp.h"
#include "scheduler/core/ControlIds.h"
#include "support/DialogFixture.h"

namespace velmora {

class AppShellTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escapeExitAndEnterEndTheDialog();
    void helpCommandsOpenTheShippedManual();
    void ctrlAReachesACommandNothingHandles();
};

void AppShellTest::escapeExitAndEnterEndTheDialog() {
    // Esc, the "&Exit" button, and Enter outside a button (the OK command).
    const QList<std::function<void(SchedulerDialog&)>> ways = {
        [](SchedulerDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](SchedulerDialog& d) { d.findChild<QPushButton*>(QStringLiteral("id2"))->click(); },
        [](SchedulerDialog& d) {
            auto* date = d.findChild<QDateEdit*>(QStringLiteral("id150"));
            date->setFocus();
            QTest::keyClick(date, Qt::Key_Return);
        }};
    for (const auto& end : ways) {
        test::DialogFixture f;
        f.dialog->show();
        end(*f.dialog);
        QVERIFY(!f.dialog->isVisible());
    }
}

void AppShellTest::helpCommandsOpenTheShippedManual() {
    test::DialogFixture f;
    QVERIFY(f.dialog->OnCommand(IDC_HELP));
    QVERIFY(f.dialog->OnCommand(ID_HELP_TOPIC));
    QCOMPARE(f.helpOpened, 2);

    QList<QUrl> opened;
    VelmoraApp app([&opened](const QUrl& url) {
        opened.append(url);
        return true;
    });
    app.OnHelp();
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened[0].isLocalFile());
    QVERIFY(opened[0].toLocalFile().endsWith(QStringLiteral("help/index.html")));
    QVERIFY2(QFile::exists(opened[0].toLocalFile()), qPrintable(opened[0].toLocalFile()));
}

void AppShellTest::ctrlAReachesACommandNothingHandles() {
    test::DialogFixture f;
    f.dialog->show();
    QVERIFY(!f.dialog->OnCommand(ID_ACCEL_CTRL_A));
    QTest::keyClick(f.dialog.get(), Qt::Key_A, Qt::ControlModifier);
    QVERIFY(f.dialog->isVisible());
    QVERIFY(f.prompt.shown.empty());
    QVERIFY(!f.dialog->Core().IsArmed());
}

}  // namespace velmora

QTEST_MAIN(velmora::AppShellTest)
#include "AppShellTest.moc"
