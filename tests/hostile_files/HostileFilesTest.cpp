#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "fakes/FakeScheduleEnv.h"
#include "storage/IniFile.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// Runs `body` in a child that is killed after five seconds and, outside the
// sanitizer build (which reserves more), cannot map more than 1 GB. Its exit
// code, or -1 when it hung or died.
template <typename Body>
int Bounded(Body body) {
    const pid_t child = fork();
    if (child == 0) {
#ifndef __SANITIZE_ADDRESS__
        const rlimit memory{1ul << 30, 1ul << 30};
        setrlimit(RLIMIT_AS, &memory);
#endif
        alarm(5);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Links to devices (this test's own copies of /dev/null and /dev/zero) and a
// FIFO load as missing files, without blocking, and a save never replaces them.
TEST(HostileFiles, OnlyRegularFilesWithinTheCapAreReadAndReplaced) {
    TempDir dir;
    const std::string path = dir.File("Velmora.ini");
    for (const unsigned minor : {3u, 5u, 0u}) {
        fs::remove(path);
        const std::string node = dir.File("device" + std::to_string(minor));
        ASSERT_EQ(minor == 0 ? mkfifo(path.c_str(), 0600)
                             : mknod(node.c_str(), S_IFCHR | 0666, makedev(1, minor)) |
                                   symlink(node.c_str(), path.c_str()),
                  0);
        if (minor == 0) {  // a FIFO someone has fed settings into and keeps open
            ASSERT_EQ(write(open(path.c_str(), O_RDWR | O_CLOEXEC), "[S]\nk=1\n", 8), 8);
        }
        EXPECT_EQ(Bounded([&] {
                      IniFile ini(path);
                      return ini.Load() || (ini.SetInt("S", "k", 1) && ini.Save());
                  }),
                  0)
            << minor;
    }
    // Sparse files: one of the cap loads; one byte more counts as unreadable
    // and is kept whole until the model is cleared.
    fs::remove(path);
    for (const std::size_t extra : {0, 1}) {
        WriteFile(path, "[S]\nk=5\n");
        fs::resize_file(path, IniFile::kMaxFileSize + extra);
        IniFile ini(path);
        testing::internal::CaptureStdout();  // the NUL bytes stop the parse
        ini.Load();
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(ini.GetInt("S", "k", -1), extra ? -1 : 5);
        EXPECT_EQ(ini.SetInt("S", "k", 1) && ini.Save(), !extra);
        // (a saved file of the cap keeps its unread rest after four more bytes)
        EXPECT_EQ(fs::file_size(path), IniFile::kMaxFileSize + (extra ? 1 : 4));
        ini.Clear();
        EXPECT_TRUE(ini.SetInt("S", "k", 1) && ini.Save());
    }
}

TEST(HostileFiles, ReadOnlyFilesStayAndKilledSavesLeaveNothingBehind) {
    TempDir dir;
    const std::string path = dir.File("Velmora.ini");
    WriteFile(path, "[S]\r\nk=0\r\n\r\n");
    WriteFile(dir.File("Velmora.ini.backup"), "mine");
    chmod(path.c_str(), 0444);
    // Root writes anything, so the save runs as an unprivileged user who owns
    // the file and its directory.
    const uid_t user = geteuid() == 0 ? 65534 : geteuid();
    ASSERT_EQ(chown(dir.Path().c_str(), user, user) | chown(path.c_str(), user, user), 0);
    EXPECT_EQ(Bounded([&] {
                  IniFile ini(path);
                  ini.Load();
                  const bool dropped = geteuid() != 0 || (setgid(user) == 0 && setuid(user) == 0);
                  return !dropped || (ini.SetInt("S", "k", 1) && ini.Save());
              }),
              0);
    EXPECT_EQ(ReadFile(path), "[S]\r\nk=0\r\n\r\n");

    chmod(path.c_str(), 0644);
    IniFile big(path);
    big.SetString("S", "k", std::string(4 << 20, 'x'), true);
    const auto files = [&] { return std::distance(fs::directory_iterator(dir.Path()), {}); };
    for (int round = 0; round < 50 && files() == 2; ++round) {
        const pid_t saver = fork();
        for (int n = 0; saver == 0; ++n) {  // a new content each time: none is skipped
            big.SetInt("S", "n", n);
            big.Save();
        }
        usleep(20000 + round * 3000);
        kill(saver, SIGKILL);
        waitpid(saver, nullptr, 0);
    }
    ASSERT_GT(files(), 2) << "no killed save left a temporary file";
    IniFile(path).Save();
    EXPECT_EQ(files(), 2);
    EXPECT_EQ(ReadFile(dir.File("Velmora.ini.backup")), "mine");
}

// The list is read again when its file changed in any way, and before the
// processes are, so the kill acts on the names listed when it began.
TEST(HostileFiles, TheListCountFollowsEveryChangeOfItsFile) {
    FakeScheduleEnv e;
    const std::string list = e.ProcessListFile();
    const auto count = [&] { return e.core.CountSelectedProcesses(); };
    WriteFile(list, "[Processes]\nFile0=a\nFile1=b\n");
    EXPECT_EQ(count(), 2);
    usleep(20000);  // past the file system's time step: the same size, a later time
    WriteFile(list, "[Processes]\nFile0=a\nFile2=b\n");
    EXPECT_EQ(count(), 1);
    WriteFile(list + ".new", "[Processes]\nFile0=a\nFile1=b\nFile2=c\n");
    fs::rename(list + ".new", list);
    EXPECT_EQ(count(), 3);
    fs::remove(list);
    EXPECT_EQ(count(), 0);
    mkfifo(list.c_str(), 0600);
    EXPECT_EQ(Bounded(count), 0);

    fs::remove(list);
    WriteFile(list, "[Processes]\nFile0=old\n");
    e.processes.Add(7, "old");
    e.processes.Add(8, "new");
    e.processes.onSnapshot = [&] { WriteFile(list, "[Processes]\nFile0=new\n"); };
    e.core.KillSelectedProcesses();
    EXPECT_EQ(e.prompt.LastText(),
              "PROCESSES TERMINATION REPORT\n\nProcess: old, Status: Terminated\n");
}

}  // namespace
}  // namespace velmora::test
