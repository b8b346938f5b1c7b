// The cost of the process statistics the main window refreshes every second:
// one Counts(), one Snapshot() and one whole tick of the statistics timer,
// on the real /proc, first as the machine is and then with 500 more
// processes (this program's own sleeping children) running.

#include "BenchSupport.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "fakes/Fakes.h"
#include "fakes/TempDir.h"
#include "platform/linux/ProcProcessTable.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"

namespace {

using velmora::ProcProcessTable;
using velmora::bench::Measure;
using velmora::bench::SleepingChildren;

constexpr int kChildren = 500;
constexpr int kIterations = 1000;

// One tick of the statistics timer of an armed schedule: clock and countdown
// texts, the counts, and the process list file read from disk.
struct TickBench {
    explicit TickBench(ProcProcessTable& table) : table(table) {
        std::ofstream(dir.File("Process.ini"))
            << "[Processes]\nFile0=vlm-bench-none\nFile1=vlm-bench-other\n";
        clock.SetLocal(2030, 1, 1, 12, 0, 0);
        view.Pick(2099, 1, 1, 12, 0, 0);
        core.EnableSchedule(true, velmora::ScheduledAction::Alarm);
    }
    void Tick() {
        clock.AdvanceSeconds(1);
        core.OnTick(velmora::kClockTimer);
        view.journal.calls.clear();
    }

    ProcProcessTable& table;
    velmora::test::TempDir dir;
    velmora::test::FakeView view;
    velmora::test::FakeClock clock;
    velmora::test::FakePrompt prompt;
    velmora::test::FakeSession session;
    velmora::test::FakeAlarm alarm;
    velmora::ScheduleCore core{
        velmora::ScheduleServices{view, clock, prompt, session, table, alarm},
        velmora::SchedulePaths{dir.File("Velmora.ini"), dir.File("Process.ini")}};
};

void MeasureAll(const char* heading, ProcProcessTable& table, TickBench& tick) {
    const velmora::ProcessCounts counts = table.Counts();
    std::printf("%s: %d processes, %lld threads\n", heading, counts.processes, counts.threads);
    volatile long long sink = 0;
    Measure("Counts() refresh", kIterations, [&] { sink = sink + table.Counts().threads; });
    Measure("Snapshot()", kIterations,
            [&] { sink = sink + static_cast<long long>(table.Snapshot().size()); });
    Measure("OnTick (statistics timer, armed)", kIterations, [&] { tick.Tick(); });
}

}  // namespace

int main() {
    ProcProcessTable table;
    table.Counts();  // settles where the thread total comes from
    TickBench tick(table);
    MeasureAll("As the machine is", table, tick);
    {
        SleepingChildren children(kChildren);
        char heading[64];
        std::snprintf(heading, sizeof heading, "With %d more sleeping processes", children.Count());
        MeasureAll(heading, table, tick);
    }
    const velmora::ProcessCounts after = table.Counts();
    std::printf("After reaping them: %d processes, %lld threads\n", after.processes, after.threads);
    return 0;
}
