// What Velmora costs while it waits: the real program under an X server of
// this benchmark's own, armed an hour ahead, beside a bare Qt 6 window built
// with it (bare_qt_window), both measured in the same run:
//  - start-up to a mapped window (median of several starts);
//  - CPU, context switches of all threads (the wake-ups) and resident memory
//    over a quiet period with the window shown and focused;
//  - the same again with 500 extra sleeping processes, this program's own.
//
// Usage: bench_idle [seconds per period, default 60] [starts, default 15]
//                   [action stored in the schedule, default 0 (Alarm)]
// Velmora runs from a private copy in a temporary folder, with its own
// runtime and configuration folders and no way to reach a real bus, so it
// meets no running instance and no armed action can reach the system.
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/Subprocess.h"

namespace {

namespace fs = std::filesystem;
using velmora::test::Subprocess;
using Clock = std::chrono::steady_clock;

constexpr int kExtraProcesses = 500;
constexpr auto kMapTimeout = std::chrono::seconds(20);
constexpr auto kSettle = std::chrono::seconds(5);

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string LoadAverage() {
    const std::string text = ReadFile("/proc/loadavg");
    return text.substr(0, text.find(' ', text.find(' ', text.find(' ') + 1) + 1));
}

// The sum of a "Name:  value" field over every thread of a process.
long long SumOverThreads(int pid, const std::string& file, const std::string& field) {
    long long sum = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::istringstream in(ReadFile(task.path() / file));
        if (field.empty()) {  // schedstat: nanoseconds on the CPU come first
            long long ns = 0;
            in >> ns;
            sum += ns;
            continue;
        }
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(field, 0) == 0) {
                sum += std::atoll(line.c_str() + field.size());
            }
        }
    }
    return sum;
}

long long StatusValue(int pid, const std::string& field) {
    std::istringstream in(ReadFile("/proc/" + std::to_string(pid) + "/status"));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field, 0) == 0) {
            return std::atoll(line.c_str() + field.size());
        }
    }
    return 0;
}

struct Sample {
    long long cpuNs = 0;
    long long switches = 0;
};

Sample TakeSample(int pid) {
    return Sample{SumOverThreads(pid, "schedstat", ""),
                  SumOverThreads(pid, "status", "voluntary_ctxt_switches:") +
                      SumOverThreads(pid, "status", "nonvoluntary_ctxt_switches:")};
}

// An X server of this benchmark's own, on a display number nobody uses.
class XServer {
public:
    XServer() {
        std::srand(static_cast<unsigned>(getpid()));
        for (int attempt = 0; attempt < 10 && conn_ == nullptr; ++attempt) {
            const int number = 200 + std::rand() % 700;
            const std::string n = std::to_string(number);
            if (fs::exists("/tmp/.X" + n + "-lock") || fs::exists("/tmp/.X11-unix/X" + n)) {
                continue;
            }
            server_ = std::make_unique<Subprocess>(std::vector<std::string>{
                "Xvfb", ":" + n, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
            display_ = ":" + n;
            for (int wait = 0;
                 wait < 100 && !server_->WaitFor(std::chrono::milliseconds(0)) && conn_ == nullptr;
                 ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                xcb_connection_t* conn = xcb_connect(display_.c_str(), nullptr);
                if (xcb_connection_has_error(conn) == 0) {
                    conn_ = conn;
                } else {
                    xcb_disconnect(conn);
                }
            }
        }
        if (conn_ == nullptr) {
            return;
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(conn_, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(conn_);
    }
    ~XServer() {
        if (conn_ != nullptr) {
            xcb_disconnect(conn_);
        }
        if (server_ && !server_->WaitFor(std::chrono::milliseconds(0))) {
            kill(server_->Pid(), SIGTERM);  // so it removes its socket and lock
            server_->WaitFor(std::chrono::seconds(5));
        }
    }
    bool Ok() const { return conn_ != nullptr && xcb_connection_has_error(conn_) == 0; }
    const std::string& Display() const { return display_; }

    // Waits for the next top-level window (not a menu or tip) to be mapped.
    std::optional<xcb_window_t> WaitForMap() {
        const auto end = Clock::now() + kMapTimeout;
        while (Clock::now() < end) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(conn_)) {
                std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
                if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                    const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                    if (!map->override_redirect) {
                        return map->window;
                    }
                }
            }
            pollfd p{xcb_get_file_descriptor(conn_), POLLIN, 0};
            poll(&p, 1, 20);
        }
        return std::nullopt;
    }
    // Clicks at a point of the window, as a person does to start typing
    // there: the window becomes the active one and the control under the
    // point takes the keyboard focus.
    void Click(xcb_window_t window, int x, int y) {
        Subprocess click({"xdotool", "mousemove", "--window", std::to_string(window),
                          std::to_string(x), std::to_string(y), "click", "1"},
                         std::string(), {{"DISPLAY", display_}});
        click.WaitFor(std::chrono::seconds(5));
    }

private:
    std::unique_ptr<Subprocess> server_;
    std::string display_;
    xcb_connection_t* conn_ = nullptr;
};

// A private copy of the program whose settings hold a schedule armed an hour
// ahead.
void SeedCopy(const fs::path& dir, const fs::path& velmora, int action) {
    fs::copy_file(velmora, dir / "velmora", fs::copy_options::overwrite_existing);
    // with the alarm's player library, which it loads from beside itself
    fs::copy_file(velmora.parent_path() / "libvelmora-player.so", dir / "libvelmora-player.so",
                  fs::copy_options::overwrite_existing);
    const std::time_t later = std::time(nullptr) + 3600;
    std::tm t{};
    localtime_r(&later, &t);
    std::ofstream ini(dir / "Velmora.ini");
    ini << "[General Settings]\nIsEnabled=1\nYear=" << t.tm_year + 1900
        << "\nMonth=" << t.tm_mon + 1 << "\nDay=" << t.tm_mday << "\nHour=" << t.tm_hour
        << "\nMin=" << t.tm_min << "\nSec=" << t.tm_sec << "\nAction=" << action
        << "\nAlarmSound=" << velmora.parent_path().string()
        << "/Sound/Wake up.mp3\nUseSystemTray=0\nStartMinimized=0\n";
}

struct Program {
    const char* name;
    fs::path path;
    long long startMs = -1;
    std::unique_ptr<Subprocess> running;
    Sample before;
};

struct Bench {
    XServer& x;
    Subprocess::Env env;

    std::optional<xcb_window_t> Start(Program& program) {
        const auto t0 = Clock::now();
        program.running = std::make_unique<Subprocess>(
            std::vector<std::string>{program.path.string()}, std::string(), env);
        const auto window = x.WaitForMap();
        program.startMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
        return window;
    }
};

// Starts the programs in turn, so a change in the machine's load falls on
// all of them alike, and prints the median start-up of each.
bool PrintMedianStarts(Bench& bench, std::vector<Program>& programs, int starts) {
    std::vector<std::vector<long long>> times(programs.size());
    for (int i = 0; i <= starts; ++i) {  // the first round warms the caches
        for (std::size_t p = 0; p < programs.size(); ++p) {
            if (!bench.Start(programs[p])) {
                std::fprintf(stderr, "%s never mapped a window\n", programs[p].name);
                return false;
            }
            programs[p].running.reset();
            if (i > 0) {
                times[p].push_back(programs[p].startMs);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::sort(times[p].begin(), times[p].end());
        std::printf("  %-18s %6lld ms   (quickest %lld ms)\n", programs[p].name,
                    times[p][times[p].size() / 2], times[p].front());
    }
    return true;
}

void MeasurePeriod(std::vector<Program>& programs, int seconds, const char* title) {
    std::printf("\n%s (load average %s at the start", title, LoadAverage().c_str());
    std::fflush(stdout);
    std::this_thread::sleep_for(kSettle);
    for (Program& p : programs) {
        p.before = TakeSample(p.running->Pid());
    }
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    std::printf(", %s at the end), %d s:\n", LoadAverage().c_str(), seconds);
    std::printf("  %-18s %12s %12s %10s %8s\n", "program", "CPU %", "switches/s", "RSS MB",
                "threads");
    for (Program& p : programs) {
        const int pid = p.running->Pid();
        const Sample after = TakeSample(pid);
        const double cpu = 100.0 * static_cast<double>(after.cpuNs - p.before.cpuNs) /
                           (static_cast<double>(seconds) * 1e9);
        const double switches = static_cast<double>(after.switches - p.before.switches) / seconds;
        std::printf("  %-18s %12.4f %12.2f %10.1f %8lld\n", p.name, cpu, switches,
                    static_cast<double>(StatusValue(pid, "VmRSS:")) / 1024.0,
                    StatusValue(pid, "Threads:"));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // A reader that goes away (a pager, head) must not end this program
    // before it has ended the programs it started.
    signal(SIGPIPE, SIG_IGN);
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;
    const int starts = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const int action = argc > 3 ? std::atoi(argv[3]) : 0;
    const fs::path binDir = fs::canonical("/proc/self/exe").parent_path();

    char dirTemplate[] = "/tmp/velmora-idle-XXXXXX";
    if (mkdtemp(dirTemplate) == nullptr) {
        return 1;
    }
    const fs::path dir = dirTemplate;
    fs::create_directories(dir / "runtime");
    fs::permissions(dir / "runtime", fs::perms::owner_all);
    SeedCopy(dir, binDir / "velmora", action);

    XServer x;
    if (!x.Ok()) {
        std::fprintf(stderr, "could not start Xvfb\n");
        return 1;
    }
    Bench bench{x,
                {{"DISPLAY", x.Display()},
                 {"QT_QPA_PLATFORM", "xcb"},
                 {"WAYLAND_DISPLAY", ""},
                 {"XDG_RUNTIME_DIR", (dir / "runtime").string()},
                 {"XDG_CONFIG_HOME", (dir / "config").string()},
                 {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velmora-bench-session"},
                 {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmora-bench-system"}}};
    std::vector<Program> programs;
    programs.push_back(Program{"velmora", dir / "velmora", -1, nullptr, {}});
    programs.push_back(Program{"bare Qt 6 window", binDir / "bare_qt_window", -1, nullptr, {}});

    std::printf("Velmora armed an hour ahead (action %d), under Xvfb %s; load average %s\n", action,
                x.Display().c_str(), LoadAverage().c_str());
    std::printf("start-up to a mapped window, median of %d starts:\n", starts);
    if (!PrintMedianStarts(bench, programs, starts)) {
        return 1;
    }

    for (Program& p : programs) {
        const auto window = bench.Start(p);
        if (!window) {
            std::fprintf(stderr, "%s never mapped a window\n", p.name);
            return 1;
        }
        if (&p == &programs.front()) {
            x.Click(*window, 40, 63);  // into the date field
        }
    }
    MeasurePeriod(programs, seconds, "shown, Velmora active with the date field focused");

    std::vector<std::unique_ptr<Subprocess>> extra;
    for (int i = 0; i < kExtraProcesses; ++i) {
        extra.push_back(std::make_unique<Subprocess>(std::vector<std::string>{"sleep", "100000"}));
    }
    MeasurePeriod(programs, seconds, "with 500 extra sleeping processes");
    extra.clear();
    programs.clear();
    fs::remove_all(dir);
    return 0;
}
