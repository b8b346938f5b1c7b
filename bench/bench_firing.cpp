// How punctually a schedule fires: arms the main window on the real clock
// with a recording alarm, again and again, and prints how many milliseconds
// after the start of the target second the action ran.
#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QTimeEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "fakes/FakeProcessTable.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeSession.h"
#include "platform/AlarmPlayer.h"
#include "platform/linux/SystemClock.h"
#include "scheduler/SchedulerDialog.h"
#include "scheduler/core/ControlIds.h"
#include "fakes/TempDir.h"

namespace {

// An alarm that only notes when it was asked to play.
class RecordingAlarm : public velmora::AlarmPlayer {
public:
    explicit RecordingAlarm(const velmora::Clock& clock) : clock_(clock) {}
    void Play(const std::string&) override { playedAt = clock_.NowMilliseconds(); }
    void Stop() override {}
    void Close() override {}
    bool IsOpen() const override { return playedAt != 0; }
    std::int64_t playedAt = 0;

private:
    const velmora::Clock& clock_;
};

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int firings = argc > 1 ? std::max(10, std::atoi(argv[1])) : 12;

    velmora::SystemClock clock;
    velmora::test::FakePrompt prompt;
    velmora::test::FakeSession session;
    velmora::test::FakeProcessTable processes;
    RecordingAlarm alarm(clock);
    velmora::test::TempDir dir;
    velmora::SchedulerDialog dialog(velmora::SchedulerServices{
        clock, prompt, session, processes, alarm,
        velmora::SchedulePaths{dir.File("Velmora.ini"), dir.File("Process.ini")}, {}});
    dialog.show();

    std::vector<long long> latencies;
    int missed = 0;
    for (int i = 0; i < firings; ++i) {
        // A target two seconds ahead, armed at a random point of a second.
        const std::int64_t targetSec = clock.NowMilliseconds() / 1000 + 2;
        const QDateTime target = QDateTime::fromSecsSinceEpoch(targetSec);
        dialog.findChild<QDateEdit*>(QStringLiteral("id150"))->setDate(target.date());
        dialog.findChild<QTimeEdit*>(QStringLiteral("id146"))->setTime(target.time());
        alarm.playedAt = 0;
        dialog.OnCommand(velmora::ID_ENABLE_ALARM);
        QElapsedTimer waited;
        waited.start();
        while (alarm.playedAt == 0 && waited.elapsed() < 4000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        if (alarm.playedAt == 0) {
            ++missed;
        } else {
            latencies.push_back(alarm.playedAt - targetSec * 1000);
        }
        dialog.OnCommand(velmora::IDC_DISABLE);
    }

    std::sort(latencies.begin(), latencies.end());
    const long long median = latencies.empty() ? -1 : latencies[latencies.size() / 2];
    const long long worst = latencies.empty() ? -1 : latencies.back();
    const auto inside = std::count_if(latencies.begin(), latencies.end(),
                                      [](long long ms) { return ms >= 0 && ms < 1000; });
    std::printf("firings: %d, fired: %zu, missed: %d\n", firings, latencies.size(), missed);
    std::printf("ms after the start of the target second: median %lld, worst %lld\n", median,
                worst);
    std::printf("fired inside the target second: %lld of %d\n", static_cast<long long>(inside),
                firings);
    return missed == 0 && inside == firings ? 0 : 1;
}
