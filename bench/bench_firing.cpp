// How punctually a schedule fires: arms the main window on the real clock
// with a recording alarm, again and again, and prints how many milliseconds
// after the start of the target second the action ran. With "--sound" the
// alarm is the real player with the shipped sound, and the bench also prints
// when the sound started: the moment its playback position was 0, as the
// player's own clock tells it.
#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QTimeEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "fakes/Fakes.h"
#include "fakes/TempDir.h"
#include "platform/AlarmPlayer.h"
#include "platform/linux/player/QtAlarmPlayer.h"
#include "platform/linux/SystemClock.h"
#include "scheduler/SchedulerDialog.h"
#include "scheduler/core/ControlIds.h"

namespace {

// An alarm that notes when it was asked to play and, over a real player,
// when the sound started.
class RecordingAlarm : public velmora::AlarmPlayer {
public:
    RecordingAlarm(const velmora::Clock& clock, velmora::QtAlarmPlayer* real)
        : clock_(clock), real_(real) {}
    void Prepare(const std::string& path) override {
        if (real_ != nullptr) {
            real_->Prepare(path);
        }
    }
    void Play(const std::string& path) override {
        playedAt = clock_.NowMilliseconds();
        if (real_ == nullptr) {
            return;
        }
        real_->Play(path);
        QObject::connect(real_->Player(), &QMediaPlayer::positionChanged, [this](qint64 pos) {
            if (pos > 0 && soundAt == 0) {
                soundAt = clock_.NowMilliseconds() - pos;
            }
        });
    }
    void Stop() override {
        if (real_ != nullptr) {
            real_->Stop();
        }
    }
    void Close() override {
        if (real_ != nullptr) {
            real_->Close();
        }
    }
    bool IsOpen() const override { return real_ != nullptr && real_->IsOpen(); }
    std::int64_t playedAt = 0;
    std::int64_t soundAt = 0;

private:
    const velmora::Clock& clock_;
    velmora::QtAlarmPlayer* real_;
};

void PrintLatencies(const char* what, std::vector<long long> latencies) {
    std::sort(latencies.begin(), latencies.end());
    const long long median = latencies.empty() ? -1 : latencies[latencies.size() / 2];
    const long long worst = latencies.empty() ? -1 : latencies.back();
    std::printf("%s, ms after the start of the target second: median %lld, worst %lld\n", what,
                median, worst);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool sound = argc > 1 && std::string(argv[argc - 1]) == "--sound";
    const int firings = argc > (sound ? 2 : 1) ? std::max(10, std::atoi(argv[1])) : 12;

    velmora::SystemClock clock;
    velmora::test::FakePrompt prompt;
    velmora::test::FakeSession session;
    velmora::test::FakeProcessTable processes;
    velmora::QtAlarmPlayer player(prompt);
    RecordingAlarm alarm(clock, sound ? &player : nullptr);
    velmora::test::TempDir dir;
    const std::string wake =
        QCoreApplication::applicationDirPath().toStdString() + "/Sound/Wake up.mp3";
    velmora::test::WriteFile(dir.File("Velmora.ini"),
                             "[General Settings]\nAction=0\nAlarmSound=" + wake + "\n");
    velmora::SchedulerDialog dialog(velmora::SchedulerServices{
        clock,
        prompt,
        session,
        processes,
        alarm,
        velmora::SchedulePaths{dir.File("Velmora.ini"), dir.File("Process.ini")},
        {}});
    dialog.show();

    std::vector<long long> latencies;
    std::vector<long long> sounds;
    int missed = 0;
    for (int i = 0; i < firings; ++i) {
        // A target two seconds ahead, armed at a random point of a second.
        const std::int64_t targetSec = clock.NowMilliseconds() / 1000 + 2;
        const QDateTime target = QDateTime::fromSecsSinceEpoch(targetSec);
        dialog.findChild<QDateEdit*>(QStringLiteral("id150"))->setDate(target.date());
        dialog.findChild<QTimeEdit*>(QStringLiteral("id146"))->setTime(target.time());
        alarm.playedAt = 0;
        alarm.soundAt = 0;
        dialog.OnCommand(velmora::ID_ENABLE_ALARM);
        QElapsedTimer waited;
        waited.start();
        while ((alarm.playedAt == 0 || (sound && alarm.soundAt == 0)) && waited.elapsed() < 4000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        if (alarm.playedAt == 0) {
            ++missed;
        } else {
            latencies.push_back(alarm.playedAt - targetSec * 1000);
        }
        if (alarm.soundAt != 0) {
            sounds.push_back(alarm.soundAt - targetSec * 1000);
        }
        dialog.OnCommand(velmora::IDC_DISABLE);
    }

    const auto inside = std::count_if(latencies.begin(), latencies.end(),
                                      [](long long ms) { return ms >= 0 && ms < 1000; });
    std::printf("firings: %d, fired: %zu, missed: %d\n", firings, latencies.size(), missed);
    PrintLatencies("the alarm fired", latencies);
    if (sound) {
        std::printf("sounds started: %zu of %d\n", sounds.size(), firings);
        PrintLatencies("the sound started", sounds);
    }
    std::printf("fired inside the target second: %lld of %d\n", static_cast<long long>(inside),
                firings);
    return missed == 0 && inside == firings ? 0 : 1;
}
