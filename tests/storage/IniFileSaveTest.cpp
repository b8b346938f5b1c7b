// Saving: the file on disk is always one complete version, failures leave the
// old file as it was, and the file keeps its permissions and links.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "IniTestSupport.h"

namespace velmora::test {
namespace {

// Names of the directory's entries other than `keep`.
std::vector<std::string> OtherEntries(const TempDir& dir, const std::string& keep) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        if (entry.path().filename() != keep) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

void Fill(IniFile& ini, int keys, char letter) {
    for (int i = 0; i < keys; ++i) {
        ini.SetString("General Settings", "Key" + std::to_string(i), std::string(500, letter),
                      true);
    }
}

// Children save two large versions in turn and are killed at varying moments.
// A kill can leave at most the killed child's own temporary file
// ("Velmora.ini.XXXXXX") behind; the file itself is always whole.
TEST(IniFileSave, KilledSaverNeverTearsTheFile) {
    TempDir dir;
    const std::string path = dir.File("Velmora.ini");
    IniFile a(path), b(path);
    Fill(a, 600, 'a');
    Fill(b, 500, 'b');
    const std::string bytesB = SavedBytes(b, path);
    const std::string bytesA = SavedBytes(a, path);
    ASSERT_GT(bytesA.size(), 300000u);

    for (int round = 0; round < 30; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                if (!a.Save() || !b.Save()) {
                    ::_exit(3);
                }
            }
        }
        ::usleep(static_cast<useconds_t>(300 + round * 997 % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "a child's save failed";

        const std::string now = ReadBytes(path);
        ASSERT_TRUE(now == bytesA || now == bytesB) << "torn file of " << now.size() << " bytes";
        IniFile reread(path);
        ASSERT_TRUE(reread.Load());
        EXPECT_EQ(reread.GetString("General Settings", "Key0", "").size(), 500u);
        const std::vector<std::string> leftovers = OtherEntries(dir, "Velmora.ini");
        ASSERT_LE(leftovers.size(), 1u);
        for (const std::string& name : leftovers) {
            EXPECT_EQ(name.rfind("Velmora.ini.", 0), 0u);
            EXPECT_EQ(name.size(), std::string("Velmora.ini.XXXXXX").size());
            std::filesystem::remove(dir.Path() / name);
        }
    }
}

TEST(IniFileSave, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.File("Velmora.ini");
    const std::string old = "[S]\r\nold=1\r\n\r\n";
    WriteBytes(path, old);
    IniFile big(path);
    big.Load();
    Fill(big, 50, 'x');

    EXPECT_FALSE(IniFile(dir.File("missing/Velmora.ini")).Save());
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));

    std::filesystem::create_directory(dir.File("taken"));
    WriteBytes(dir.File("taken/inside"), "x");
    EXPECT_FALSE(IniFile(dir.File("taken")).Save());

    // A write that runs out of room: the file size limit makes write() fail.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(big.Save() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);

    if (::geteuid() != 0) {  // root writes through any permission bits
        ::chmod(dir.Path().c_str(), 0555);
        EXPECT_FALSE(big.Save());
        ::chmod(dir.Path().c_str(), 0755);
    }
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(OtherEntries(dir, "Velmora.ini"), std::vector<std::string>{"taken"});
}

TEST(IniFileSave, KeepsPermissionBitsAndSymbolicLinks) {
    TempDir dir;
    const mode_t previous = ::umask(022);
    IniFile fresh(dir.File("new.ini"));
    fresh.SetInt("S", "k", 1);
    ASSERT_TRUE(fresh.Save());
    ::umask(previous);
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("new.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    ::chmod(dir.File("new.ini").c_str(), 0640);
    ASSERT_TRUE(fresh.Save());
    ASSERT_EQ(::stat(dir.File("new.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    std::filesystem::create_symlink("new.ini", dir.File("link.ini"));
    IniFile viaLink(dir.File("link.ini"));
    viaLink.Load();
    viaLink.SetInt("S", "k", 2);
    ASSERT_TRUE(viaLink.Save());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
    EXPECT_EQ(ReadBytes(dir.File("new.ini")), "[S]\r\nk=2\r\n\r\n");
}

}  // namespace
}  // namespace velmora::test
