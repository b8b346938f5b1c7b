// The application shell around the main window: how it ends, the help
// commands and the unhandled Ctrl+A command.
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
    void helpOpensTheManualAndCtrlADoesNothing();
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

void AppShellTest::helpOpensTheManualAndCtrlADoesNothing() {
    test::DialogFixture f;
    f.dialog->show();
    QVERIFY(f.dialog->OnCommand(IDC_HELP));
    QVERIFY(f.dialog->OnCommand(ID_HELP_TOPIC));
    QCOMPARE(f.helpOpened, 2);
    QUrl opened;
    VelmoraApp([&opened](const QUrl& url) { return (opened = url).isValid(); }).OnHelp();
    QVERIFY(opened.toLocalFile().endsWith(QStringLiteral("help/index.html")));
    QVERIFY2(QFile::exists(opened.toLocalFile()), qPrintable(opened.toString()));

    // Ctrl+A sends a command that nothing handles.
    QVERIFY(!f.dialog->OnCommand(ID_ACCEL_CTRL_A));
    QTest::keyClick(f.dialog.get(), Qt::Key_A, Qt::ControlModifier);
    QVERIFY(f.dialog->isVisible());
    QVERIFY(f.prompt.shown.empty() && !f.dialog->Core().IsArmed());
}

}  // namespace velmora

QTEST_MAIN(velmora::AppShellTest)
#include "AppShellTest.moc"
