// Big settings files and a long process list: the time to load a settings
// file of 100,000 keys, and the cost of one tick of the statistics timer
// while the process list holds 20,000 names (the first tick after the list
// changed, which reads it, and the ticks after it, which need not).
// Goals: the load under 100 ms, a steady tick under 1 ms. Each figure is
// given as wall time and as the process's processor time, which a busy
// machine inflates less.

#include <time.h>
#include <algorithm>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "fakes/FakeScheduleEnv.h"
#include "scheduler/core/ControlIds.h"
#include "storage/IniFile.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kKeys = 100000;
constexpr int kListed = 20000;

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs `work` until about a second has passed (at least once, at most
// `maxRuns` times), each after an untimed `prepare`, and prints the medians
// and the worst wall time.
template <typename Work, typename Prepare = void (*)()>
void Measure(
    const char* what, int maxRuns, Work work, Prepare prepare = [] {}) {
    std::vector<double> wall, cpu;
    const auto budgetEnd = Clock::now() + std::chrono::seconds(1);
    do {
        prepare();
        const auto start = Clock::now();
        const double cpuStart = CpuMs();
        work();
        cpu.push_back(CpuMs() - cpuStart);
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    } while (static_cast<int>(wall.size()) < maxRuns && Clock::now() < budgetEnd);
    std::printf("  %-30s median %10.3f ms (cpu %10.3f ms)   worst %10.3f ms   (%zu runs)\n", what,
                Median(wall), Median(cpu), *std::max_element(wall.begin(), wall.end()),
                wall.size());
}

std::string ManyKeys(int count, const char* section, const char* keyPrefix) {
    std::string text = std::string("[") + section + "]\r\n";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        text += keyPrefix + n + "=vlm-bench-name-" + n + "\r\n";
    }
    return text + "\r\n";
}

}  // namespace

int main() {
    velmora::test::TempDir dir;
    const std::string settings = dir.File("Velmora.ini");
    velmora::test::WriteFile(settings, ManyKeys(kKeys, "General Settings", "Key"));
    std::printf("Settings file of %d keys:\n", kKeys);
    Measure("IniFile::Load", 20, [&] {
        velmora::IniFile ini(settings);
        ini.Load();
    });

    velmora::test::FakeScheduleEnv e;  // the schedule over fakes, its files in a directory
    const std::string list = e.ProcessListFile();
    velmora::test::WriteFile(list, ManyKeys(kListed, "Processes", "File"));
    e.clock.SetLocal(2030, 1, 1, 12, 0, 0);
    e.view.Pick(2099, 1, 1, 12, 0, 0);
    e.core.EnableSchedule(true, velmora::ScheduledAction::Alarm);
    const auto tick = [&] {
        e.clock.AdvanceSeconds(1);
        e.core.OnTick(velmora::kClockTimer);
        e.view.journal.calls.clear();
        e.events.clear();
    };
    std::printf("Process list of %d names, armed schedule:\n", kListed);
    const std::string listText = ManyKeys(kListed, "Processes", "File");
    Measure("tick after the list changed", 5, tick,
            [&] { velmora::test::WriteFile(list, listText); });
    Measure("tick, list unchanged", 10000, tick);
    std::printf("  label after the ticks: \"%s\"\n",
                e.view.texts[velmora::IDC_PROCESSES_FOR_TERMINATION].c_str());
    return 0;
}
