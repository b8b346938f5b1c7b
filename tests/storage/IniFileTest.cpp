#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <regex>

#include "fakes/TempDir.h"
#include "storage/IniFile.h"

namespace velmora::test {
namespace {

class IniText : public ::testing::Test {
protected:
    // Loads `text` from the file and returns what Load printed.
    std::string Load(IniFile& ini, const std::string& text, bool expected) {
        WriteFile(path, text);
        testing::internal::CaptureStdout();
        EXPECT_EQ(ini.Load(), expected);
        return testing::internal::GetCapturedStdout();
    }
    std::string Saved(IniFile& ini) {
        EXPECT_TRUE(ini.Save());
        return ReadFile(path);
    }
    TempDir dir;
    const std::string path = dir.File("in.ini");
};

TEST_F(IniText, LineRulesGiveOneModelForLfAndCrLf) {
    // Every line kind once, no line end after the last line, a CR inside a value.
    const std::string lf =
        ";top note\nk0=v0\n;k\n[General Settings]\nAction=0\nMin = 5\na=b[c]\n[broken\nx;y=z\n"
        "plain letters\n\n=v\n# c\n][x\n[a]=b]\n p=q\n[Sec] ; note\nAction=1\n"
        "[general settings]\naction=2\nNew=3\r4\n;late";
    for (const std::string& text : {lf, std::regex_replace(lf, std::regex("\n"), "\r\n")}) {
        IniFile ini(path);
        Load(ini, text, true);
        EXPECT_EQ(ini.GetString("general settings", "min ", "?"), " 5");
        EXPECT_EQ(ini.FindKey(4, "action"), -1);  // the duplicate section stays empty
        EXPECT_EQ(Saved(ini),
                  ";top note\r\n\r\n[]\r\n;k\r\nk0=v0\r\n\r\n[General Settings]\r\n;y=z\r\n"
                  "; c\r\n;late\r\nAction=2\r\nMin = 5\r\na=b[c]\r\n=v\r\nNew=3\r4\r\n\r\n"
                  "[a]=b]\r\n p=q\r\n\r\n[Sec]\r\nAction=1\r\n\r\n[general settings]\r\n\r\n");
    }
    IniFile notes(path);
    Load(notes, "# one\n;two\nno marker\n", false);
    EXPECT_EQ(Saved(notes), "; one\r\n;two\r\n\r\n");
    EXPECT_FALSE(IniFile(dir.File("none.ini")).Load());
}

TEST_F(IniText, ControlByteStopsTheLoadAndTheUnreadRestIsKeptUntilCleared) {
    IniFile del(path);  // bytes from 0x80 on are printable, so UTF-8 names load
    EXPECT_EQ(Load(del, "[\xe5\x90\x8d]\n\xc3\xa9t\xc3\xa9=2\n\x7fx=2\nb=3\n", false),
              "Failing on char 127\n");
    EXPECT_EQ(
        std::make_pair(del.GetInt("\xe5\x90\x8d", "\xc3\xa9t\xc3\xa9", 0), del.FindKey(0, "b")),
        std::make_pair(2, -1));

    const std::string tail = "\tbad line\r\nb=2\n[T]\nx";
    IniFile ini(path);
    // The line after a TAB is not read; a CR before the line end is kept.
    EXPECT_EQ(Load(ini, "[S]\r\na=1\r\r\n\r\n" + tail, false), "Failing on char 9\n");
    ASSERT_TRUE(ini.SetInt("S", "c", 3));
    const std::string saved = "[S]\r\na=1\r\r\nc=3\r\n\r\n" + tail;
    EXPECT_EQ(Saved(ini), saved);
    IniFile again(path);
    Load(again, saved, false);
    EXPECT_EQ(Saved(again), saved);
    again.Clear();
    ASSERT_TRUE(again.SetString("Processes", "File0", "a.out", true));
    EXPECT_EQ(Saved(again), "[Processes]\r\nFile0=a.out\r\n\r\n");
}

TEST_F(IniText, ValuesReadLikeAtoiAreCreatedOnlyWhenAskedAndRefuseLineBreaks) {
    IniFile numbers(path);
    Load(numbers,
         "[N]\ne=\ns= 7\nt=12abc\nn=-3\nh=0x10\np=+4\nw=\t\v 8\nx=abc\n"
         "big=99999999999\nsmall=-99999999999\n",
         true);
    const std::pair<const char*, int> cases[] = {
        {"missing", 5}, {"e", 0}, {"S", 7}, {"t", 12},        {"n", -3},          {"h", 0},
        {"p", 4},       {"w", 8}, {"x", 0}, {"big", INT_MAX}, {"small", INT_MIN},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(numbers.GetInt("n", key, 5), expected) << key;
    }

    IniFile ini(path);
    Load(ini, "[S]\nAction=1\n[T]\n[s]\nOther=2\n", true);
    EXPECT_FALSE(ini.SetString("Missing", "k", "v", false));
    EXPECT_FALSE(ini.SetString("S", "missing", "v", false));
    ASSERT_TRUE(ini.SetString("s", "action", "6", false));
    ASSERT_TRUE(ini.SetInt("S", "New", -2));
    ASSERT_TRUE(ini.SetString("U", "k", "", true));
    EXPECT_EQ(ini.GetInt("s", "OTHER", 0), 2);
    for (const std::string& text : {std::string("v\r\n[Evil]\r\nx=1"), std::string("v\nx=1"),
                                    std::string("v\rx=1"), std::string("v\0x", 3)}) {
        EXPECT_FALSE(ini.SetString("S", "k", text, true));
        EXPECT_FALSE(ini.SetString("S", text, "v", true));
        EXPECT_FALSE(ini.SetString(text, "k", "v", true));
    }
    EXPECT_EQ(Saved(ini),
              "[S]\r\nAction=6\r\nOther=2\r\nNew=-2\r\n\r\n[T]\r\n\r\n[s]\r\n\r\n"
              "[U]\r\nk=\r\n\r\n");
}

// Runs `body` in a child, kills it after `killAfterUs` microseconds unless
// that is negative, and returns its exit status, or minus the killing signal.
template <typename Body>
int InChild(Body body, int killAfterUs = -1) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    if (child < 0) {
        return INT_MIN;  // no child: nothing to signal or wait for
    }
    if (killAfterUs >= 0) {
        ::usleep(static_cast<useconds_t>(killAfterUs));
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

TEST_F(IniText, KilledSaverNeverTearsTheFile) {
    IniFile a(path), b(path);
    for (int i = 0; i < 600; ++i) {
        a.SetString("S", "Key" + std::to_string(i), std::string(500, 'a'), true);
        b.SetString("S", "Key" + std::to_string(i / 2), std::string(500, 'b'), true);
    }
    const std::string bytesB = Saved(b), bytesA = Saved(a);
    for (int round = 0; round < 20; ++round) {
        const int status = InChild(
            [&] {
                while (a.Save() && b.Save()) {
                }
                return 3;
            },
            300 + round * 997 % 20000);
        ASSERT_EQ(status, -SIGKILL) << "a save failed";
        const std::string now = ReadFile(path);
        ASSERT_TRUE(now == bytesA || now == bytesB) << "torn file of " << now.size() << " bytes";
    }
}

TEST_F(IniText, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    WriteFile(path, "[S]\r\nold=1\r\n\r\n");
    IniFile big(path);
    big.Load();
    big.SetString("S", "k", std::string(50000, 'x'), true);
    EXPECT_FALSE(IniFile(dir.File("missing/Velmora.ini")).Save());
    const int status = InChild([&] {  // the file size limit makes a write fail halfway
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return big.Save() ? 0 : 1;
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(ReadFile(path), "[S]\r\nold=1\r\n\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace velmora::test
