// What the window dressing costs while the program idles: start-up of a
// process that shows the dressed main window against one that shows a bare
// window of the same size, the widgets repainted per tick, and the memory
// that opening the About box again and again leaves behind.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "controls/CAboutDlg.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "support/DialogFixture.h"

namespace {

// Resident memory of this process in kB.
long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Shows the window and returns once it has been painted.
bool ShowPainted(QWidget& window) {
    PaintCounter counter;
    window.installEventFilter(&counter);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (counter.paints == 0 && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    window.removeEventFilter(&counter);
    return counter.paints > 0;
}

// Shows one window until it is painted, then ends (run as a child).
int ShowOnce(const QString& mode) {
    std::unique_ptr<velmora::test::DialogFixture> dressed;
    std::unique_ptr<QWidget> bare;
    QWidget* window = nullptr;
    if (mode == "main") {
        dressed = std::make_unique<velmora::test::DialogFixture>();
        window = dressed->dialog.get();
    } else {
        bare = std::make_unique<QWidget>();
        bare->setFixedSize(480, 327);
        window = bare.get();
    }
    return ShowPainted(*window) ? 0 : 1;
}

struct StartUp {
    std::vector<double> wallMs, cpuMs;
};

// Starts this program in the given mode and notes its wall and processor
// time up to its end, which comes right after its first paint.
void RunChild(const char* mode, StartUp& into) {
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    char* const args[] = {const_cast<char*>(self.c_str()), const_cast<char*>(mode), nullptr};
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, args, environ) != 0) {
        return;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    into.wallMs.push_back(timer.nsecsElapsed() / 1e6);
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    into.cpuMs.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1) {
        return ShowOnce(QString::fromLocal8Bit(argv[1]));
    }

    const int runs = 25;
    StartUp bare, main;
    for (int i = 0; i < runs; ++i) {  // interleaved, so a busy moment hits both
        RunChild("bare", bare);
        RunChild("main", main);
    }
    std::printf(
        "start-up to first paint, median of %d runs: bare window %.1f ms wall, %.1f ms "
        "processor; dressed main window %.1f ms wall (%.2fx), %.1f ms processor "
        "(%.2fx)\n",
        runs, Median(bare.wallMs), Median(bare.cpuMs), Median(main.wallMs),
        Median(main.wallMs) / Median(bare.wallMs), Median(main.cpuMs),
        Median(main.cpuMs) / Median(bare.cpuMs));

    // Ticks of an armed main window: how many widgets each one repaints.
    velmora::test::DialogFixture f(
        velmora::test::FakeClock::LocalToEpochSeconds(2026, 12, 6, 10, 0, 0) * 1000);
    ShowPainted(*f.dialog);
    f.dialog->OnCommand(velmora::ID_ENABLE_ALARM);  // the picked time, one hour ahead
    PaintCounter counter;
    for (QWidget* child : f.dialog->findChildren<QWidget*>()) {
        child->installEventFilter(&counter);
    }
    const int ticks = 600;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < ticks; ++i) {
        f.clock.AdvanceSeconds(1);
        f.dialog->Core().OnTick(velmora::kClockTimer);
        QCoreApplication::processEvents();
    }
    std::printf("armed ticks: %.2f widgets repainted per tick, %.3f ms per tick with painting\n",
                double(counter.paints) / ticks, timer.nsecsElapsed() / 1e6 / ticks);

    // The About box built and painted again and again.
    const long before = ResidentKb();
    long afterFirst = 0;
    for (int i = 0; i < 100; ++i) {
        velmora::CAboutDlg about;
        ShowPainted(about);
        about.ToggleHistory();
        QCoreApplication::processEvents();
        if (i == 0) {
            afterFirst = ResidentKb();
        }
    }
    std::printf("About box: resident memory +%ld kB after the first, +%ld kB more after 99 more\n",
                afterFirst - before, ResidentKb() - afterFirst);
    return 0;
}
