#include <QMediaPlayer>
#include <QtTest>

#include "fakes/FakeScheduleEnv.h"
#include "platform/linux/LazyAlarmPlayer.h"
#include "platform/linux/player/QtAlarmPlayer.h"

using namespace velmora;

namespace {

// One second of silence: 8 kHz, 8-bit mono PCM behind a RIFF/WAVE header.
std::string WriteWave(const test::TempDir& dir) {
    const char header[] =
        "RIFF\x64\x1f\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0"
        "data\x40\x1f\0\0";
    const std::string wave = dir.File("beep.wav");
    test::WriteFile(wave, std::string(header, 44) + std::string(8000, '\x80'));
    return wave;
}

bool MediaBackendLoaded() {
    return test::ReadFile("/proc/self/maps").find("libgstreamer") != std::string::npos;
}

}  // namespace

class QtAlarmPlayerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Nothing of the media backend is loaded before the last seconds before
    // an alarm's target; the player readied then plays it, and Disable
    // releases it.
    void armedAlarmIsReadiedLateAndReleasedByDisable() {
        test::FakeScheduleEnv e;
        QtAlarmPlayer alarm(e.prompt);
        ScheduleCore core{
            ScheduleServices{e.view, e.clock, e.prompt, e.session, e.processes, alarm},
            SchedulePaths{e.SettingsFile(), e.ProcessListFile()}};
        const std::string wave = WriteWave(e.dir);
        e.view.Pick(2024, 5, 14, 10, 0, 30);
        e.clock.SetLocal(2024, 5, 14, 10, 0, 0);
        core.HandleCommand(IDC_ENABLE);
        for (const auto& [second, action, readied] :
             {std::tuple{1, 0, false}, {19, 0, false}, {20, 1, false}, {20, 0, true}}) {
            e.Settings("Action=" + std::to_string(action) + "\nAlarmSound=" + wave + "\n");
            e.clock.SetLocal(2024, 5, 14, 10, 0, second);
            core.OnTick(kClockTimer);
            QCOMPARE(alarm.IsPrepared(), readied);
            QCOMPARE(MediaBackendLoaded(), readied);
        }
        core.HandleCommand(IDC_DISABLE);  // releases the player it readied
        QVERIFY(!alarm.IsPrepared());
        core.HandleCommand(IDC_ENABLE);
        core.OnTick(kClockTimer);
        QVERIFY(alarm.IsPrepared());
        e.clock.SetLocal(2024, 5, 14, 10, 0, 30);
        core.OnTick(kClockTimer);
        QVERIFY(alarm.IsOpen() && !alarm.IsPrepared());
        QTRY_VERIFY_WITH_TIMEOUT(alarm.Player()->position() > 0, 10000);
        core.HandleCommand(IDC_DISABLE);
        QVERIFY(!alarm.IsOpen() && !alarm.IsPrepared());
        QVERIFY(e.prompt.shown.empty());
    }

    // The program's player loads the player library (beside the executable in
    // the build tree) only when it plays; one that cannot be loaded is
    // reported at Play.
    void programsPlayerLoadsItsLibraryOnlyToPlay() {
        test::TempDir dir;
        test::FakePrompt prompt;
        LazyAlarmPlayer missing(prompt, dir.File("libvelmora-player.so"));
        missing.Play(WriteWave(dir));
        QCOMPARE(prompt.shown.size(), std::size_t(1));
        QVERIFY(prompt.LastText().starts_with("The alarm sound cannot be played: "));
        prompt.shown.clear();
        LazyAlarmPlayer alarm(prompt);
        alarm.Stop();
        alarm.Close();
        QVERIFY(!alarm.IsLoaded() && !alarm.IsOpen());
        alarm.Play(WriteWave(dir));
        QVERIFY(alarm.IsLoaded() && alarm.IsOpen());
        alarm.Close();
        QVERIFY(!alarm.IsOpen() && prompt.shown.empty());
    }

    void reportsAMissingFileOnceThenPlaysAndStops() {
        test::TempDir dir;
        test::FakePrompt prompt;
        QtAlarmPlayer alarm(prompt);
        for (const std::string& path : {dir.File("missing.mp3"), std::string()}) {
            prompt.shown.clear();
            alarm.Play(path);
            QTRY_VERIFY_WITH_TIMEOUT(!prompt.shown.empty(), 10000);
            QTest::qWait(300);  // time for the backend's repeated signals of one failure
            QCOMPARE(prompt.shown.size(), std::size_t(1));
            QCOMPARE(prompt.shown[0].kind, test::FakePrompt::Kind::Stop);
            QVERIFY(!prompt.shown[0].text.empty());
        }
        const std::string wave = WriteWave(dir);
        prompt.shown.clear();
        alarm.Play(wave);
        QTRY_COMPARE_WITH_TIMEOUT(alarm.Player()->mediaStatus(), QMediaPlayer::EndOfMedia, 10000);
        QCOMPARE(alarm.Player()->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(alarm.IsOpen());  // ended, but open until closed

        alarm.Play(wave);
        QTRY_VERIFY_WITH_TIMEOUT(alarm.Player()->position() > 0, 10000);
        alarm.Stop();
        QTest::qWait(300);
        QCOMPARE(alarm.Player()->playbackState(), QMediaPlayer::StoppedState);
        QCOMPARE(alarm.Player()->position(), qint64(0));
        alarm.Close();
        QVERIFY(alarm.Player() == nullptr);
        alarm.Stop();
        QVERIFY(prompt.shown.empty());
    }
};

QTEST_MAIN(QtAlarmPlayerTest)
#include "QtAlarmPlayerTest.moc"
