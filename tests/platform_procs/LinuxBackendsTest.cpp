// The /proc process table on this test's own children and on a directory tree
// laid out like /proc, and the alarm player on real sound files.
#include <QMediaPlayer>
#include <QtTest>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "fakes/FakeScheduleEnv.h"
#include "platform/linux/LazyAlarmPlayer.h"
#include "platform/linux/ProcProcessTable.h"
#include "platform/linux/player/QtAlarmPlayer.h"
#include "platform_procs/OwnChildren.h"

using namespace velmora;

namespace {

// One second of silence: 8 kHz, 8-bit mono PCM behind a RIFF/WAVE header.
std::string WriteWave(const test::TempDir& dir) {
    const char header[] =
        "RIFF\x64\x1f\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0"
        "data\x40\x1f\0\0";
    test::WriteFile(dir.File("a.wav"), std::string(header, 44) + std::string(8000, '\x80'));
    return dir.File("a.wav");
}

bool MediaBackendLoaded() {
    return test::ReadFile("/proc/self/maps").find("libgstreamer") != std::string::npos;
}

}  // namespace

class LinuxBackendsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Two instances of one name, a name beyond the kernel's 15 bytes, and a
    // child with three more threads whose name has ") " inside, which must not
    // shift the fields after it.
    void processTableDescribesOwnChildren() {
        test::OwnChildren kids;
        const std::string names[] = {kids.Prefix() + "s", kids.Prefix() + "s",
                                     kids.Prefix() + "name-beyond-15",
                                     "v) " + kids.Prefix().substr(4, 6) + " (t"};
        const pid_t pids[] = {kids.Start(names[0]), kids.Start(names[1]), kids.Start(names[2]),
                              kids.Start(names[3], 3)};
        std::map<int, ProcessEntry> entries;
        for (const auto& entry : ProcProcessTable().Snapshot()) {
            QVERIFY(entries.empty() || entries.rbegin()->first < entry.pid);
            entries[entry.pid] = entry;
        }
        QCOMPARE(entries[0].name + " " + std::to_string(entries[0].threads), "[System Process] 0");
        for (int i = 0; i < 4; ++i) {
            const ProcessEntry& entry = entries[pids[i]];
            QCOMPARE(entry.name, names[i]);
            QCOMPARE(std::pair(entry.parentPid, entry.threads),
                     std::pair(getpid(), i == 3 ? 4 : 1));
            QVERIFY(entry.startTime > 0 && (i == 3 || entry.path.ends_with("/" + names[i])));
        }
    }

    // Priorities are read and set only for exactly the process a snapshot saw.
    void processTableNiceOnlyForTheSnapshotsOwnProcess() {
        test::OwnChildren kids;
        const pid_t pid = kids.Start(kids.Prefix() + "n");
        ProcProcessTable table;
        const auto snapshot = table.Snapshot();
        ProcessEntry seen = *std::ranges::find(snapshot, pid, &ProcessEntry::pid);
        ProcessEntry reused = seen;
        reused.startTime += 1;
        int nice = 99;
        QVERIFY(!table.ReadNice(reused, nice) && !table.SetNice(reused, 5) &&
                !table.SetNice(ProcessEntry{}, 5));
        QVERIFY(table.SetNice(seen, 7) && table.ReadNice(seen, nice));
        QCOMPARE(nice, 7);
    }

    // The kernel's task total counts only when a walk of the process files
    // agrees with it: where /proc shows part of the tasks (another pid
    // namespace) the counts still match a snapshot.
    void processCountsMatchTheWalkWhereverTheTotalComesFrom() {
        for (const int total : {4, 40}) {
            test::TempDir root;
            const auto add = [&root](const std::string& pid, int threads, int tasks) {
                mkdir(root.File(pid).c_str(), 0755);
                test::WriteFile(root.File(pid + "/stat"),
                                pid + " (w) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 " +
                                    std::to_string(threads) + " 0 0\n");
                test::WriteFile(root.File("loadavg"),
                                "0.1 0.1 0.1 1/" + std::to_string(tasks) + " 99");
            };
            add("7", 2, 0);
            add("9", 2, total);
            ProcProcessTable table(root.Path());
            const auto counts = [&table] {
                const ProcessCounts c = table.Counts();
                return std::pair(c.processes, c.threads);
            };
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(counts(), std::pair(3, 4LL));
            }
            add("11", 3, total + 3);
            QCOMPARE(counts(), std::pair(4, 7LL));
        }
    }

    // A listing stands while neither task figure moves: a process that starts
    // takes a new pid, one that ends leaves the total.
    void processCountListsAgainOnlyWhenATaskFigureMoves() {
        test::TempDir root;
        const auto figures = [&](int total, int lastPid) {
            test::WriteFile(root.File("loadavg"), "0.0 0.0 0.0 1/" + std::to_string(total) + " " +
                                                      std::to_string(lastPid) + "\n");
        };
        for (const std::string pid : {"7", "9", "11"}) {
            mkdir(root.File(pid).c_str(), 0755);
            test::WriteFile(root.File(pid + "/stat"),
                            pid + " (w) S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 2 0\n");
        }
        figures(6, 42);
        ProcProcessTable table(root.Path());
        const auto counts = [&table] {
            const ProcessCounts c = table.Counts();
            return std::pair(c.processes, c.threads);
        };
        for (int i = 0; i < 2; ++i) {  // settles the source, then lists
            QCOMPARE(counts(), std::pair(4, 6LL));
        }
        std::filesystem::remove_all(root.File("11"));
        QCOMPARE(counts(), std::pair(4, 6LL));  // no figure moved: the listing stands
        figures(6, 43);                         // a start and an end
        QCOMPARE(counts(), std::pair(3, 6LL));
        std::filesystem::remove_all(root.File("9"));
        figures(4, 43);  // an end alone
        QCOMPARE(counts(), std::pair(2, 4LL));
    }

    // Whenever no task started or ended around a count, it matches a listing of
    // /proc made at that moment, also right after an own child started or ended.
    void processCountFollowsOwnChildrenStartingAndEnding() {
        test::OwnChildren kids;
        ProcProcessTable table;
        const auto figures = [] {  // "total lastPid" of the load-average file
            const std::string text = test::ReadFile("/proc/loadavg");
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
                const auto listed =
                    1 + std::count_if(  // the idle entry and every process
                            std::filesystem::directory_iterator("/proc"), {},
                            [](auto& e) { return std::isdigit(e.path().c_str()[6]); });
                checked = figures() == before;
                QVERIFY2(!checked || counted == listed, qPrintable(QString::number(round)));
            }
            QVERIFY2(checked, qPrintable(QString::number(round)));
        }
    }

    // Nothing of the media backend is loaded before the last seconds before
    // an alarm's target; the player readied then plays it, and Disable
    // releases it. (First of the alarm's tests: the others load the backend.)
    void alarmIsReadiedLateAndReleasedByDisable() {
        test::FakeScheduleEnv e;
        QtAlarmPlayer alarm(e.prompt);
        ScheduleCore core{
            ScheduleServices{e.view, e.clock, e.prompt, e.session, e.processes, alarm},
            SchedulePaths{e.SettingsFile(), e.ProcessListFile()}};
        const std::string wave = WriteWave(e.dir);
        e.view.Pick(2024, 5, 14, 10, 0, 30);
        e.clock.SetLocal(2024, 5, 14, 10, 0, 0);
        core.HandleCommand(IDC_ENABLE);
        for (const auto& [second, action, readied] :
             {std::tuple{1, 0, false}, {19, 0, false}, {20, 1, false}, {20, 0, true}}) {
            e.Settings("Action=" + std::to_string(action) + "\nAlarmSound=" + wave + "\n");
            e.clock.SetLocal(2024, 5, 14, 10, 0, second);
            core.OnTick(kClockTimer);
            QCOMPARE(alarm.IsPrepared(), readied);
            QCOMPARE(MediaBackendLoaded(), readied);
        }
        core.HandleCommand(IDC_DISABLE);  // releases the player it readied
        QVERIFY(!alarm.IsPrepared());
        core.HandleCommand(IDC_ENABLE);
        core.OnTick(kClockTimer);
        QVERIFY(alarm.IsPrepared());
        e.clock.SetLocal(2024, 5, 14, 10, 0, 30);
        core.OnTick(kClockTimer);
        QVERIFY(alarm.IsOpen() && !alarm.IsPrepared());
        QTRY_VERIFY_WITH_TIMEOUT(alarm.Player()->position() > 0, 10000);
        core.HandleCommand(IDC_DISABLE);
        QVERIFY(!alarm.IsOpen() && !alarm.IsPrepared());
        QVERIFY(e.prompt.shown.empty());
    }

    // The program's player loads the player library (beside the executable in
    // the build tree) only when it plays; one that cannot be loaded is
    // reported at Play.
    void programsPlayerLoadsItsLibraryOnlyToPlay() {
        test::TempDir dir;
        test::FakePrompt prompt;
        LazyAlarmPlayer missing(prompt, dir.File("libvelmora-player.so"));
        missing.Play(WriteWave(dir));
        QCOMPARE(prompt.shown.size(), std::size_t(1));
        QVERIFY(prompt.LastText().starts_with("The alarm sound cannot be played: "));
        prompt.shown.clear();
        LazyAlarmPlayer alarm(prompt);
        alarm.Stop();
        alarm.Close();
        QVERIFY(!alarm.IsLoaded() && !alarm.IsOpen());
        alarm.Play(WriteWave(dir));
        QVERIFY(alarm.IsLoaded() && alarm.IsOpen());
        alarm.Close();
        QVERIFY(!alarm.IsOpen() && prompt.shown.empty());
    }

    // A file the player cannot play, or no file, is reported once; a sound
    // plays once to its end; Stop and Close end it.
    void alarmReportsOnceThenPlaysAndStops() {
        test::TempDir dir;
        test::FakePrompt prompt;
        QtAlarmPlayer alarm(prompt);
        for (const std::string& path : {dir.File("missing.mp3"), std::string()}) {
            prompt.shown.clear();
            alarm.Play(path);
            QTRY_VERIFY_WITH_TIMEOUT(!prompt.shown.empty(), 10000);
            QTest::qWait(300);  // time for the backend's repeated signals of one failure
            QCOMPARE(prompt.shown.size(), std::size_t(1));
            QVERIFY(prompt.shown[0].kind == test::FakePrompt::Kind::Stop);
        }
        const std::string wave = WriteWave(dir);
        prompt.shown.clear();
        alarm.Play(wave);
        QTRY_COMPARE_WITH_TIMEOUT(alarm.Player()->mediaStatus(), QMediaPlayer::EndOfMedia, 10000);
        QVERIFY(alarm.IsOpen() && alarm.Player()->playbackState() == QMediaPlayer::StoppedState);
        alarm.Play(wave);
        QTRY_VERIFY_WITH_TIMEOUT(alarm.Player()->position() > 0, 10000);
        alarm.Stop();
        QTest::qWait(300);
        QCOMPARE(alarm.Player()->playbackState(), QMediaPlayer::StoppedState);
        QCOMPARE(alarm.Player()->position(), qint64(0));
        alarm.Close();
        QVERIFY(!alarm.IsOpen() && alarm.Player() == nullptr);
        alarm.Stop();
        QVERIFY(prompt.shown.empty());
    }
};

QTEST_MAIN(LinuxBackendsTest)
#include "LinuxBackendsTest.moc"
