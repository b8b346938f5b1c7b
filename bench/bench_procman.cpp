// The process manager's full refill (one snapshot of /proc, the rows, the
// column widths and the count) with 1000 more processes running (this
// program's own sleeping children), against `ps -e -o comm,nlwp,pid`, which
// lists the same three facts of every process, timed on the same machine in
// the same run.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <cstdio>

#include "BenchSupport.h"
#include "fakes/Fakes.h"
#include "fakes/TempDir.h"
#include "platform/linux/ProcProcessTable.h"
#include "procman/CSelectProcessesDlg.h"

extern char** environ;

namespace {

constexpr int kChildren = 1000;
constexpr int kIterations = 30;

// Runs ps with its output thrown away, as the refill's is only kept.
void RunPs() {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>("ps"), const_cast<char*>("-e"), const_cast<char*>("-o"),
                    const_cast<char*>("comm,nlwp,pid"), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "ps", &actions, nullptr, argv, environ) == 0) {
        waitpid(pid, nullptr, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Started before the application object, so each is a fork of a small process.
    velmora::bench::SleepingChildren children(kChildren);
    QApplication app(argc, argv);
    velmora::ProcProcessTable table;
    velmora::test::FakePrompt prompt;
    velmora::test::TempDir dir;
    velmora::CSelectProcessesDlg dialog(velmora::ProcessManagerServices{
        dir.File("Velmora.ini"), dir.File("Process.ini"), table, prompt});
    dialog.show();
    QApplication::processEvents();
    std::printf("With %d more sleeping processes: %d processes listed\n", children.Count(),
                table.Counts().processes);
    using velmora::bench::Measure;
    const double refill = Measure("RefillList", kIterations, [&] { dialog.RefillList(); });
    Measure("RefillList and painting", kIterations, [&] {
        dialog.RefillList();
        dialog.repaint();
    });
    Measure("Snapshot() alone", kIterations, [&] { table.Snapshot(); });
    const double ps = Measure("ps -e -o comm,nlwp,pid", kIterations, RunPs);
    std::printf("refill %.2f ms, ps %.2f ms: the refill takes %.2f times as long as ps\n",
                refill / 1000, ps / 1000, refill / ps);
    return 0;
}
