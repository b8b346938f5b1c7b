#include <QMediaPlayer>
#include <QtTest>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "fakes/FakePrompt.h"
#include "fakes/TempDir.h"
#include "platform/linux/QtAlarmPlayer.h"

namespace velmora::test {
namespace {

constexpr int kWait = 10000;

// A 440 Hz sine as 16-bit mono PCM behind a RIFF/WAVE header.
void WriteSineWave(const std::string& path, double seconds) {
    constexpr std::uint32_t kRate = 22050;
    const auto samples = static_cast<std::uint32_t>(kRate * seconds);
    std::string out;
    const auto put = [&out](std::uint32_t value, int bytes) {
        for (int b = 0; b < bytes; ++b) {
            out.push_back(static_cast<char>((value >> (8 * b)) & 0xff));
        }
    };
    out += "RIFF";
    put(36 + samples * 2, 4);
    out += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(kRate, 4);
    put(kRate * 2, 4);
    put(2, 2);
    put(16, 2);
    out += "data";
    put(samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double phase = 2.0 * M_PI * 440.0 * i / kRate;
        put(static_cast<std::uint16_t>(
                static_cast<std::int16_t>(std::lround(8000 * std::sin(phase)))),
            2);
    }
    std::ofstream(path, std::ios::binary) << out;
}

}  // namespace

class QtAlarmPlayerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void playsOnceToTheEndEachTime();
    void stopHaltsThePlayback();
    void unplayableFilesAreReportedOncePerPlay();
    void decodesTheShippedMp3();
};

void QtAlarmPlayerTest::playsOnceToTheEndEachTime() {
    TempDir dir;
    const std::string wave = dir.File("beep.wav");
    WriteSineWave(wave, 0.5);
    FakePrompt prompt;
    QtAlarmPlayer alarm(prompt);
    QVERIFY(!alarm.IsOpen());

    for (int round = 0; round < 2; ++round) {
        alarm.Play(wave);
        QVERIFY(alarm.IsOpen());
        qint64 furthest = 0;
        connect(alarm.Player(), &QMediaPlayer::positionChanged,
                [&furthest](qint64 position) { furthest = std::max(furthest, position); });
        QTRY_COMPARE_WITH_TIMEOUT(alarm.Player()->mediaStatus(), QMediaPlayer::EndOfMedia, kWait);
        QCOMPARE(alarm.Player()->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY2(furthest >= 300, qPrintable(QString::number(furthest)));
        // Ended, but open until closed.
        QVERIFY(alarm.IsOpen());
    }
    QVERIFY(prompt.shown.empty());

    alarm.Close();
    QVERIFY(!alarm.IsOpen());
    QVERIFY(alarm.Player() == nullptr);
    alarm.Close();
    alarm.Stop();
    QVERIFY(prompt.shown.empty());
}

void QtAlarmPlayerTest::stopHaltsThePlayback() {
    TempDir dir;
    const std::string wave = dir.File("long.wav");
    WriteSineWave(wave, 3.0);
    FakePrompt prompt;
    QtAlarmPlayer alarm(prompt);

    alarm.Play(wave);
    QTRY_VERIFY_WITH_TIMEOUT(alarm.Player()->position() > 0, kWait);
    alarm.Stop();
    QCOMPARE(alarm.Player()->playbackState(), QMediaPlayer::StoppedState);
    QTest::qWait(500);
    QCOMPARE(alarm.Player()->playbackState(), QMediaPlayer::StoppedState);
    QCOMPARE(alarm.Player()->position(), qint64(0));
    QVERIFY(alarm.Player()->mediaStatus() != QMediaPlayer::EndOfMedia);
    QVERIFY(alarm.IsOpen());
    QVERIFY(prompt.shown.empty());
}

void QtAlarmPlayerTest::unplayableFilesAreReportedOncePerPlay() {
    TempDir dir;
    const std::string text = dir.File("notes.txt");
    std::ofstream(text) << "not a sound\n";
    const std::string wave = dir.File("beep.wav");
    WriteSineWave(wave, 0.3);
    FakePrompt prompt;
    QtAlarmPlayer alarm(prompt);

    const std::string missing = dir.File("missing.mp3");
    for (const std::string& path : {missing, text, std::string(), missing}) {
        prompt.shown.clear();
        alarm.Play(path);
        QTRY_VERIFY_WITH_TIMEOUT(!prompt.shown.empty(), kWait);
        // Time for the backend's repeated signals of the same failure.
        QTest::qWait(300);
        QCOMPARE(prompt.shown.size(), std::size_t(1));
        QCOMPARE(prompt.shown[0].kind, FakePrompt::Kind::Stop);
        QVERIFY(!prompt.shown[0].text.empty());
        if (path.empty()) {
            QCOMPARE(prompt.shown[0].text, std::string("Resource not found."));
        }
    }

    // A failed alarm leaves the player fit for the next one.
    prompt.shown.clear();
    alarm.Play(wave);
    QTRY_COMPARE_WITH_TIMEOUT(alarm.Player()->mediaStatus(), QMediaPlayer::EndOfMedia, kWait);
    QVERIFY(prompt.shown.empty());
}

void QtAlarmPlayerTest::decodesTheShippedMp3() {
    FakePrompt prompt;
    QtAlarmPlayer alarm(prompt);
    alarm.Play(VELMORA_SHIPPED_ALARM);
    QTRY_VERIFY_WITH_TIMEOUT(alarm.Player()->position() > 200, kWait);
    QCOMPARE(alarm.Player()->playbackState(), QMediaPlayer::PlayingState);
    alarm.Close();
    QTest::qWait(100);
    QVERIFY(prompt.shown.empty());
}

}  // namespace velmora::test

QTEST_MAIN(velmora::test::QtAlarmPlayerTest)
#include "QtAlarmPlayerTest.moc"
