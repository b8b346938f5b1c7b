// The real program as a user starts it, and how it prepares its settings.
#include <QDateTime>
#include <QtTest>

#include "app/VelmoraApp.h"
#include "platform_procs/OwnChildren.h"
#include "support/VelmoraProcess.h"

using namespace velmora;
using std::chrono::milliseconds;

class ProgramTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A copy of the program, started through PATH from another directory with
    // the autostart entry's "-tray", finds its settings beside itself: a "Kill
    // processes" schedule armed a few seconds ahead, and an empty alarm, which
    // gets the default. The test's own child dies by SIGKILL within the target
    // second; the program keeps running (its report waits for OK) and the
    // schedule stays armed.
    void firesTheStoredScheduleWithinItsSecond() {
        test::TempDir bin, cwd;
        test::OwnChildren kids;
        const std::string name = kids.Prefix() + "e2e";
        const pid_t victim = kids.Start(name);
        test::WriteFile(bin.File("Process.ini"), "[Processes]\nFile0=" + name + "\n");
        const qint64 targetMs = (QDateTime::currentMSecsSinceEpoch() / 1000 + 4) * 1000;
        const QString settings = QDateTime::fromMSecsSinceEpoch(targetMs).toString(
            "'[General Settings]\r\nIsEnabled=1\r\nYear='yyyy'\r\nMonth='M'\r\nDay='d'\r\nHour='H'"
            "\r\nMin='m'\r\nSec='s'\r\nAction=6\r\nAlarmSound='");
        test::WriteFile(bin.File("Velmora.ini"), settings.toStdString());
        test::InstallVelmoraCopy(bin.Path());
        const auto app =
            test::StartVelmora({"velmora", "-tray"}, cwd.Path(), {{"PATH", bin.Path()}});

        std::this_thread::sleep_for(
            milliseconds(targetMs - QDateTime::currentMSecsSinceEpoch() - 300));
        QVERIFY2(kids.Reap(victim, WNOHANG) == -1, "ended too early");
        const int status = kids.Reap(victim);
        const qint64 late = QDateTime::currentMSecsSinceEpoch() - targetMs;
        QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL, "not ended by the schedule");
        QVERIFY2(late >= 0 && late < 1000, qPrintable(QString("ended %1 ms late").arg(late)));
        QVERIFY(!app->WaitFor(milliseconds(0)));
        QCOMPARE(QString::fromStdString(test::ReadFile(bin.File("Velmora.ini"))),
                 settings + QString::fromStdString(bin.Path()) + "/Sound/Wake up.mp3\r\n\r\n");
        QVERIFY(!QFile::exists(cwd.File("Velmora.ini").c_str()));
    }

    void keepsAChosenAlarm() {
        test::TempDir dir;
        test::WriteFile(dir.File("Velmora.ini"), "[General Settings]\nAlarmSound=/m/a.wav\n");
        VelmoraApp::PrepareSettings(dir.File("Velmora.ini"), "/d/Wake up.mp3");
        QCOMPARE(test::ReadFile(dir.File("Velmora.ini")),
                 "[General Settings]\r\nAlarmSound=/m/a.wav\r\n\r\n");
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "ProgramTest.moc"
