#include <QMediaPlayer>
#include <QtTest>

#include "fakes/FakePrompt.h"
#include "fakes/TempDir.h"
#include "platform/linux/QtAlarmPlayer.h"

using namespace velmora;

class QtAlarmPlayerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        // One second of silence: 8 kHz, 8-bit mono PCM behind a RIFF/WAVE header.
        const char header[] =
            "RIFF\x64\x1f\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0"
            "data\x40\x1f\0\0";
        const std::string wave = dir.File("beep.wav");
        test::WriteFile(wave, std::string(header, 44) + std::string(8000, '\x80'));
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
