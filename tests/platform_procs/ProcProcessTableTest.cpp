#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <iostream>
#include <map>

#include "OwnChildren.h"
#include "fakes/TempDir.h"
#include "platform/linux/ProcProcessTable.h"

namespace velmora::test {
namespace {

using Source = ProcProcessTable::ThreadSource;

std::map<int, ProcessEntry> ByPid(const std::vector<ProcessEntry>& snapshot) {
    std::map<int, ProcessEntry> result;
    for (const ProcessEntry& entry : snapshot) {
        result[entry.pid] = entry;
    }
    return result;
}

void ExpectIdleEntryFirstAndAscending(const std::vector<ProcessEntry>& snapshot) {
    ASSERT_FALSE(snapshot.empty());
    EXPECT_EQ(snapshot[0].pid, 0);
    EXPECT_EQ(snapshot[0].parentPid, 0);
    EXPECT_EQ(snapshot[0].name, "[System Process]");
    EXPECT_EQ(snapshot[0].threads, 0);
    EXPECT_EQ(snapshot[0].path, "");
    for (std::size_t i = 1; i < snapshot.size(); ++i) {
        EXPECT_LT(snapshot[i - 1].pid, snapshot[i].pid) << "entry " << i;
    }
}

TEST(ProcProcessTable, SnapshotDescribesOwnChildren) {
    OwnChildren kids;
    const std::string& prefix = kids.Prefix();
    const std::string shortName = "v" + prefix.substr(4, prefix.size() - 5);  // "v<pid>-<tag>"
    const std::string longName = prefix + "a-name-well-beyond-fifteen";
    const std::string otherArgv0 = prefix + "b-started-as-something-else";
    const std::string script = "v" + std::to_string(getpid() % 100000) + ".sh";
    const std::string taskName = "v) " + prefix.substr(4, 6) + " (t";

    const pid_t first = kids.StartSleepCopy(shortName);
    const pid_t second = kids.StartSleepCopy(shortName);
    const pid_t longOne = kids.StartSleepCopy(longName);
    const pid_t renamed = kids.StartSleepCopy(otherArgv0, "unrelated");
    const pid_t scripted = kids.StartScript(script);
    const pid_t threaded = kids.StartThreads(taskName, 3);

    ProcProcessTable table;
    const auto snapshot = table.Snapshot();
    ExpectIdleEntryFirstAndAscending(snapshot);
    auto entries = ByPid(snapshot);
    for (const pid_t pid : {first, second, longOne, renamed, scripted, threaded}) {
        ASSERT_EQ(entries.count(pid), 1u) << "pid " << pid;
        EXPECT_EQ(entries[pid].parentPid, getpid());
    }
    EXPECT_EQ(entries[first].name, shortName);
    EXPECT_EQ(entries[second].name, shortName);
    EXPECT_EQ(entries[first].path, kids.Dir() + "/" + shortName);
    EXPECT_EQ(entries[first].threads, 1);
    // A cut name is completed from argv[0] only when argv[0] begins with it.
    EXPECT_EQ(entries[longOne].name, longName);
    EXPECT_EQ(entries[longOne].path, kids.Dir() + "/" + longName);
    EXPECT_EQ(entries[renamed].name, otherArgv0.substr(0, 15));
    // A script shows under its own file name; its executable is the shell.
    EXPECT_EQ(entries[scripted].name, script);
    EXPECT_FALSE(entries[scripted].path.empty());
    EXPECT_NE(entries[scripted].path, kids.Dir() + "/" + script);
    // Spaces and parentheses in a name do not shift the fields after it.
    EXPECT_EQ(entries[threaded].name, taskName);
    EXPECT_EQ(entries[threaded].threads, 4);
    EXPECT_EQ(entries[getpid()].name.substr(0, 15), [] {
        std::string comm;
        std::getline(std::ifstream("/proc/self/comm"), comm);
        return comm;
    }());
}

TEST(ProcProcessTable, TerminateEndsOnlyTheGivenChildren) {
    OwnChildren kids;
    const std::string name = kids.Prefix() + "twin";
    const pid_t a = kids.StartSleepCopy(name);
    const pid_t b = kids.StartSleepCopy(name);
    const pid_t bystander = kids.StartSleepCopy(kids.Prefix() + "bystander");
    ProcProcessTable table;

    EXPECT_TRUE(table.Terminate(a));
    EXPECT_TRUE(table.Terminate(b));
    for (const pid_t pid : {a, b}) {
        const int status = kids.Reap(pid);
        ASSERT_NE(status, -1);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    EXPECT_TRUE(kids.Running(bystander));
    for (const auto& entry : table.Snapshot()) {
        EXPECT_NE(entry.name, name);
    }
    // No process can have this id.
    EXPECT_FALSE(table.Terminate(INT_MAX));
}

// Zero and negative ids address process groups or every process there is.
// The check runs as the first process of a pid namespace of its own, in a
// session of its own, so a faulty Terminate could reach nothing beyond it.
TEST(ProcProcessTable, RefusesZeroAndNegativeIdsWithoutSignalling) {
    const pid_t outer = fork();
    ASSERT_GE(outer, 0);
    if (outer == 0) {
        setsid();
        if (unshare(CLONE_NEWPID) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWPID) != 0) {
            _exit(77);
        }
        const pid_t init = fork();
        if (init == 0) {
            const pid_t bystander = fork();
            if (bystander == 0) {
                for (;;) {
                    pause();
                }
            }
            ProcProcessTable table;
            const bool refused = !table.Terminate(0) && !table.Terminate(-1) &&
                                 !table.Terminate(-bystander) && !table.Terminate(INT_MIN);
            int status = 0;
            const bool alive = waitpid(bystander, &status, WNOHANG) == 0;
            kill(bystander, SIGKILL);
            waitpid(bystander, &status, 0);
            _exit(refused && alive ? 0 : 1);
        }
        int status = 0;
        waitpid(init, &status, 0);
        _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(outer, &status, 0), outer);
    ASSERT_TRUE(WIFEXITED(status)) << "a refused id was signalled";
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "no pid namespace available";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// Other processes may start and end between two readings, so the test looks
// for a moment when the counts before and after a snapshot agree.
TEST(ProcProcessTable, CountsGiveWhatASnapshotShows) {
    OwnChildren kids;
    kids.StartThreads("vlm-counted", 5);
    kids.StartSleepCopy(kids.Prefix() + "counted");
    ProcProcessTable table;
    bool matched = false;
    for (int attempt = 0; attempt < 300 && !matched; ++attempt) {
        const ProcessCounts before = table.Counts();
        const auto snapshot = table.Snapshot();
        const ProcessCounts after = table.Counts();
        long long threads = 0;
        for (const auto& entry : snapshot) {
            threads += entry.threads;
        }
        matched = before.processes == after.processes && before.threads == after.threads &&
                  before.processes == static_cast<int>(snapshot.size()) &&
                  before.threads == threads;
    }
    EXPECT_TRUE(matched);
    EXPECT_NE(table.CountSource(), Source::Undecided);
    std::cout << "thread total from "
              << (table.CountSource() == Source::SystemTotal ? "the system total"
                                                             : "one stat file per process")
              << "\n";
}

// A directory laid out like /proc.
class FakeProc {
public:
    const std::string& Root() const { return dir_.Path(); }
    void Process(int pid, const std::string& name, int parent, int threads,
                 const std::string& cmdline = {}, const std::string& exe = {}) {
        const std::string d = Mkdir(std::to_string(pid));
        std::ofstream(d + "/stat")
            << pid << " (" << name << ") S " << parent << " 0 0 0 -1 4194560 0 0 0 0 0 0 0 0 20 0 "
            << threads << " 0 5000 1000 200\n";
        if (!cmdline.empty()) {
            std::ofstream(d + "/cmdline", std::ios::binary) << cmdline;
        }
        if (!exe.empty()) {
            symlink(exe.c_str(), (d + "/exe").c_str());
        }
    }
    void LoadAvg(long long total) {
        std::ofstream(dir_.File("loadavg")) << "0.00 0.01 0.05 1/" << total << " 4242\n";
    }
    std::string Mkdir(const std::string& name) {
        mkdir(dir_.File(name).c_str(), 0755);
        return dir_.File(name);
    }

private:
    TempDir dir_;
};

TEST(ProcProcessTable, SnapshotReadsTheProcessFiles) {
    FakeProc proc;
    using namespace std::string_literals;
    proc.Process(300, "abcdefghijklmno", 1, 2, "/opt/x/abcdefghijklmnopqrst\0--flag\0"s);
    proc.Process(301, "abcdefghijklmno", 1, 1, "/usr/bin/python3\0/opt/abcdefghijklmnopq.py\0"s);
    proc.Process(12, "(sd-pam)", 1, 1);
    proc.Process(7, "a) b (c", 1, 3);
    proc.Process(1, "init", 0, 1, "/sbin/init\0"s, "/sbin/init");
    proc.Process(302, "kworker/0:1-events", 2, 1);
    proc.Mkdir("45");  // ended after the listing: no files left
    proc.Mkdir("sys");
    std::ofstream(proc.Mkdir("2") + "/stat") << "2 (cut short";

    ProcProcessTable table(proc.Root());
    const auto snapshot = table.Snapshot();
    ExpectIdleEntryFirstAndAscending(snapshot);
    std::vector<int> pids;
    for (const auto& entry : snapshot) {
        pids.push_back(entry.pid);
    }
    EXPECT_EQ(pids, (std::vector<int>{0, 1, 7, 12, 300, 301, 302}));
    auto e = ByPid(snapshot);
    EXPECT_EQ(e[1].path, "/sbin/init");
    EXPECT_EQ(e[7].path, "");
    EXPECT_EQ(e[7].name, "a) b (c");
    EXPECT_EQ(e[7].threads, 3);
    EXPECT_EQ(e[7].parentPid, 1);
    EXPECT_EQ(e[12].name, "(sd-pam)");
    EXPECT_EQ(e[300].name, "abcdefghijklmnopqrst");
    EXPECT_EQ(e[300].threads, 2);
    EXPECT_EQ(e[301].name, "abcdefghijklmno");
    EXPECT_EQ(e[302].name, "kworker/0:1-events");
    EXPECT_EQ(e[302].parentPid, 2);

    EXPECT_TRUE(ProcProcessTable("/nonexistent/proc").Snapshot().empty());
    const ProcessCounts none = ProcProcessTable("/nonexistent/proc").Counts();
    EXPECT_EQ(none.processes, 0);
    EXPECT_EQ(none.threads, 0);
}

TEST(ProcProcessTable, CountsTakeTheSystemTotalOnlyWhenItAgrees) {
    const auto fill = [](FakeProc& proc) {
        proc.Process(1, "init", 0, 1);
        proc.Process(7, "worker", 1, 3);
        proc.Process(12, "shell", 1, 2);
    };
    const auto counts = [](const ProcProcessTable& table) {
        const ProcessCounts c = table.Counts();
        return std::pair<int, long long>(c.processes, c.threads);
    };
    using Pair = std::pair<int, long long>;

    // Every task visible: the total is trusted, and later refreshes read it
    // instead of the processes' files.
    FakeProc all;
    fill(all);
    all.LoadAvg(6);
    ProcProcessTable whole(all.Root());
    EXPECT_EQ(counts(whole), Pair(4, 6));
    EXPECT_EQ(whole.CountSource(), Source::SystemTotal);
    all.Process(20, "late", 1, 99);
    all.LoadAvg(9);
    EXPECT_EQ(counts(whole), Pair(5, 9));

    // Tasks outside what /proc shows (another pid namespace), process files
    // that cannot be read (hidepid), or no total at all: each refresh walks
    // the processes and always gives what a snapshot shows.
    FakeProc hidden;
    fill(hidden);
    hidden.LoadAvg(40);
    FakeProc unreadable;
    fill(unreadable);
    unreadable.Mkdir("30");
    unreadable.LoadAvg(6);
    FakeProc noTotal;
    fill(noTotal);
    for (FakeProc* proc : {&hidden, &unreadable, &noTotal}) {
        ProcProcessTable table(proc->Root());
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(counts(table), Pair(4, 6));
        }
        EXPECT_EQ(table.CountSource(), Source::PerProcess);
        proc->Process(20, "late", 1, 3);
        EXPECT_EQ(counts(table), Pair(5, 9));
    }
}

}  // namespace
}  // namespace velmora::test
