#include <gtest/gtest.h>
#include <sched.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <map>

#include "OwnChildren.h"
#include "platform/linux/ProcProcessTable.h"

namespace velmora::test {
namespace {

using Source = ProcProcessTable::ThreadSource;
using Counted = std::pair<int, long long>;

Counted Pair(const ProcessCounts& counts) {
    return {counts.processes, counts.threads};
}

TEST(ProcProcessTable, SnapshotAndCountsDescribeOwnChildren) {
    OwnChildren kids;
    const std::string shortName = kids.Prefix() + "s";
    const std::string longName = kids.Prefix() + "a-name-well-beyond-fifteen";
    // ") " inside the name must not shift the fields after it.
    const std::string taskName = "v) " + kids.Prefix().substr(4, 6) + " (t";
    const std::pair<pid_t, std::string> expected[] = {{kids.Start(shortName), shortName},
                                                      {kids.Start(shortName), shortName},
                                                      {kids.Start(longName), longName},
                                                      {kids.Start(taskName, 3), taskName}};
    ProcProcessTable table;
    const auto snapshot = table.Snapshot();
    ASSERT_FALSE(snapshot.empty());
    EXPECT_EQ(snapshot[0].pid, 0);
    EXPECT_EQ(snapshot[0].threads, 0);
    EXPECT_EQ(snapshot[0].name, "[System Process]");
    std::map<int, ProcessEntry> entries;
    for (const auto& entry : snapshot) {
        EXPECT_TRUE(entries.empty() || entries.rbegin()->first < entry.pid) << entry.pid;
        entries[entry.pid] = entry;
    }
    for (const auto& [pid, name] : expected) {
        ASSERT_EQ(entries.count(pid), 1u) << name;
        EXPECT_EQ(entries[pid].name, name);
        EXPECT_EQ(entries[pid].parentPid, getpid());
        EXPECT_EQ(entries[pid].threads, name == taskName ? 4 : 1) << name;
    }
    EXPECT_TRUE(entries[expected[2].first].path.ends_with("/" + longName));

    // Processes start and end between two readings: look for a moment when
    // the counts before and after a snapshot agree with it.
    bool matched = false;
    for (int attempt = 0; attempt < 300 && !matched; ++attempt) {
        const Counted before = Pair(table.Counts());
        Counted seen{0, 0};
        for (const auto& entry : table.Snapshot()) {
            seen = {seen.first + 1, seen.second + entry.threads};
        }
        matched = before == seen && Pair(table.Counts()) == seen;
    }
    EXPECT_TRUE(matched);
    EXPECT_NE(table.CountSource(), Source::Undecided);
}

// Priorities are read and set only for exactly the process a snapshot saw.
TEST(ProcProcessTable, NiceOnlyForTheSnapshotsOwnProcess) {
    OwnChildren kids;
    const pid_t pid = kids.Start(kids.Prefix() + "n");
    ProcProcessTable table;
    const auto snapshot = table.Snapshot();
    ProcessEntry seen = *std::ranges::find(snapshot, pid, &ProcessEntry::pid);
    ProcessEntry reused = seen;
    reused.startTime += 1;
    int nice = 99;
    EXPECT_FALSE(table.ReadNice(reused, nice) || table.SetNice(reused, 5) ||
                 table.SetNice(ProcessEntry{}, 5));
    EXPECT_TRUE(table.SetNice(seen, 7) && table.ReadNice(seen, nice));
    EXPECT_EQ(nice, 7);
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
            while (bystander == 0) {
                pause();
            }
            ProcProcessTable table;
            const bool refused = !table.Terminate(0) && !table.Terminate(-1) &&
                                 !table.Terminate(-bystander) && !table.Terminate(INT_MIN);
            _exit(refused && waitpid(bystander, nullptr, WNOHANG) == 0 ? 0 : 1);
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

// In a tree laid out like /proc, the kernel's task total is trusted only when a full
// walk agrees, not when it counts tasks /proc does not show (another pid namespace).
TEST(ProcProcessTable, TrustsTheSystemTotalOnlyWhenAWalkAgrees) {
    for (const int total : {4, 40}) {
        TempDir root;
        for (const std::string pid : {"7", "9"}) {
            mkdir(root.File(pid).c_str(), 0755);
            WriteFile(root.File(pid + "/stat"),
                      pid + " (w) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 2 0\n");
        }
        WriteFile(root.File("loadavg"), "0.0 0.0 0.0 1/" + std::to_string(total) + " 42\n");
        ProcProcessTable table(root.Path());
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Pair(table.Counts()), Counted(3, 4));
        }
        EXPECT_EQ(table.CountSource(), total == 4 ? Source::SystemTotal : Source::PerProcess);
        // Only a trusted total is read instead of the process files.
        WriteFile(root.File("loadavg"), "0.0 0.0 0.0 1/9 42\n");
        EXPECT_EQ(Pair(table.Counts()), Counted(3, total == 4 ? 9 : 4));
    }
}

// A listing stands while neither task figure moves: a process that starts
// takes a new pid, one that ends leaves the total.
TEST(ProcProcessTable, ListsAgainOnlyWhenATaskFigureMoves) {
    TempDir root;
    const auto figures = [&](int total, int lastPid) {
        WriteFile(root.File("loadavg"),
                  "0.0 0.0 0.0 1/" + std::to_string(total) + " " + std::to_string(lastPid) + "\n");
    };
    for (const std::string pid : {"7", "9", "11"}) {
        mkdir(root.File(pid).c_str(), 0755);
        WriteFile(root.File(pid + "/stat"), pid + " (w) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 2 0\n");
    }
    figures(6, 42);
    ProcProcessTable table(root.Path());
    for (int i = 0; i < 2; ++i) {  // settles the source, then lists
        ASSERT_EQ(Pair(table.Counts()), Counted(4, 6));
    }
    ASSERT_EQ(table.CountSource(), Source::SystemTotal);
    std::filesystem::remove_all(root.File("11"));
    EXPECT_EQ(Pair(table.Counts()), Counted(4, 6));  // no figure moved: the listing stands
    figures(6, 43);                                  // a start and an end
    EXPECT_EQ(Pair(table.Counts()), Counted(3, 6));
    std::filesystem::remove_all(root.File("9"));
    figures(4, 43);  // an end alone
    EXPECT_EQ(Pair(table.Counts()), Counted(2, 4));
}

// Whenever no task started or ended around a count, it matches a listing of
// /proc made at that moment, also right after an own child started or ended.
TEST(ProcProcessTable, CountFollowsOwnChildrenStartingAndEnding) {
    OwnChildren kids;
    ProcProcessTable table;
    const auto figures = [] {  // "total lastPid" of the load-average file
        const std::string text = ReadFile("/proc/loadavg");
        return text.substr(text.find('/'));
    };
    pid_t child = 0;
    for (int round = 0; round < 6; ++round) {
        if (round % 2 == 0) {
            child = kids.Start(kids.Prefix() + "c");
        } else {
            kill(child, SIGKILL);
            kids.Reap(child);
        }
        bool checked = false;
        for (int attempt = 0; attempt < 500 && !checked; ++attempt) {
            const std::string before = figures();
            const int counted = table.Counts().processes;
            const auto listed = 1 + std::count_if(  // the idle entry and every process
                                        std::filesystem::directory_iterator("/proc"), {},
                                        [](auto& e) { return std::isdigit(e.path().c_str()[6]); });
            checked = figures() == before;
            EXPECT_TRUE(!checked || counted == listed) << round;
        }
        EXPECT_TRUE(checked) << round;
    }
}

}  // namespace
}  // namespace velmora::test
