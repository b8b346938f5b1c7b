#pragma once

// What the benchmarks share: children that make the process table large, and
// the timing of a piece of work.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <vector>

namespace velmora::bench {

// Children that only wait; they die with this program and are killed and
// reaped when the object goes.
class SleepingChildren {
public:
    explicit SleepingChildren(int count) {
        const pid_t parent = getpid();
        for (int i = 0; i < count; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (getppid() != parent) {
                    _exit(0);
                }
                // A name of its own, short enough to be taken whole from
                // the stat file, as most processes' names are.
                prctl(PR_SET_NAME, "vlm-bench-idle");
                for (;;) {
                    pause();
                }
            }
            if (pid > 0) {
                pids_.push_back(pid);
            }
        }
    }
    ~SleepingChildren() {
        for (const pid_t pid : pids_) {
            kill(pid, SIGKILL);
        }
        for (const pid_t pid : pids_) {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }
    }
    SleepingChildren(const SleepingChildren&) = delete;
    SleepingChildren& operator=(const SleepingChildren&) = delete;
    int Count() const { return static_cast<int>(pids_.size()); }

private:
    std::vector<pid_t> pids_;
};

// Runs `work` `iterations` times and prints its timings; returns the median
// in microseconds.
template <typename Work>
double Measure(const char* what, int iterations, Work work) {
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(iterations));
    for (int i = 0; i < iterations; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("  %-34s median %9.1f us   99%% %9.1f us   worst %9.1f us   (%d runs)\n", what,
                micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back(),
                iterations);
    return micros[micros.size() / 2];
}

}  // namespace velmora::bench
