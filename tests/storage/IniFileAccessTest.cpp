// Reading and changing values: typed reads, the create rules, duplicate
// sections, comments, clearing, and the refusal of line-break bytes.
#include <climits>

#include "IniTestSupport.h"

namespace velmora::test {
namespace {

TEST(IniFileAccess, GetIntReadsLikeAtoiAndClampsOverflow) {
    TempDir dir;
    const std::string path = dir.File("n.ini");
    WriteBytes(path,
               "[N]\ne=\ns= 7\nt=12abc\nn=-3\nh=0x10\np=+4\nw=\t\v 8\nx=abc\n"
               "big=99999999999\nsmall=-99999999999\nmin=-2147483648\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    const std::pair<const char*, int> cases[] = {
        {"missing", 5}, {"e", 0}, {"S", 7}, {"t", 12},        {"n", -3},          {"h", 0},
        {"p", 4},       {"w", 8}, {"x", 0}, {"big", INT_MAX}, {"small", INT_MIN}, {"min", INT_MIN},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(ini.GetInt("n", key, 5), expected) << key;
    }
    EXPECT_EQ(ini.GetInt("missing", "e", 5), 5);
    EXPECT_EQ(ini.GetString("N", "none", "dflt"), "dflt");
}

TEST(IniFileAccess, SetStringCreateRulesAndFirstMatch) {
    TempDir dir;
    const std::string path = dir.File("s.ini");
    IniFile fresh(path);
    ASSERT_TRUE(fresh.SetInt("General Settings", "Action", 1));
    EXPECT_EQ(SavedBytes(fresh, path), "[General Settings]\r\nAction=1\r\n\r\n");

    WriteBytes(path, "[S]\nAction=1\n[T]\n[s]\nOther=2\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    const std::string before = SavedBytes(ini, path);
    EXPECT_FALSE(ini.SetString("Missing", "k", "v", false));
    EXPECT_FALSE(ini.SetString("S", "missing", "v", false));
    EXPECT_EQ(SavedBytes(ini, path), before);

    ASSERT_TRUE(ini.SetString("s", "action", "6", false));
    ASSERT_TRUE(ini.SetInt("S", "New", -2));
    ASSERT_TRUE(ini.SetString("U", "k", "", true));
    EXPECT_EQ(ini.FindKey(2, "Other"), -1);
    EXPECT_EQ(ini.GetInt("s", "OTHER", 0), 2);
    EXPECT_EQ(
        SavedBytes(ini, path),
        "[S]\r\nAction=6\r\nOther=2\r\nNew=-2\r\n\r\n[T]\r\n\r\n[s]\r\n\r\n[U]\r\nk=\r\n\r\n");
}

TEST(IniFileAccess, CommentsAndClear) {
    TempDir dir;
    const std::string path = dir.File("c.ini");
    IniFile ini(path);
    EXPECT_EQ(SavedBytes(ini, path), "");
    ini.AddHeaderComment(" made by hand");
    EXPECT_EQ(SavedBytes(ini, path), "; made by hand\r\n\r\n");

    EXPECT_EQ(ini.AddSection("A"), 0);
    EXPECT_EQ(ini.AddSection("a"), 1);
    EXPECT_FALSE(ini.AddSectionComment(2, "out of range"));
    EXPECT_FALSE(ini.AddSectionComment(-1, "out of range"));
    EXPECT_FALSE(ini.AddSectionComment("B", "no such section"));
    EXPECT_TRUE(ini.AddSectionComment("a", "to the first"));
    EXPECT_TRUE(ini.AddSectionComment(1, "to the second"));
    EXPECT_EQ(SavedBytes(ini, path),
              "; made by hand\r\n\r\n[A]\r\n;to the first\r\n\r\n[a]\r\n;to the second\r\n\r\n");

    ini.Clear();
    EXPECT_EQ(ini.FindSection("A"), -1);
    EXPECT_EQ(SavedBytes(ini, path), "");
}

TEST(IniFileAccess, LineBreakBytesAreRefusedAndCannotInjectEntries) {
    TempDir dir;
    const std::string path = dir.File("r.ini");
    IniFile ini(path);
    ASSERT_TRUE(ini.SetString("S", "k", "ok", true));
    const std::string bad[] = {"v\r\n[Evil]\r\nx=1", "v\nx=1", "v\rx=1", std::string("v\0x", 3)};
    for (const std::string& text : bad) {
        EXPECT_FALSE(ini.SetString("S", "k", text, true));
        EXPECT_FALSE(ini.SetString("S", text, "v", true));
        EXPECT_FALSE(ini.SetString(text, "k", "v", true));
    }
    EXPECT_EQ(SavedBytes(ini, path), "[S]\r\nk=ok\r\n\r\n");
    IniFile reread(path);
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.FindSection("Evil"), -1);
    EXPECT_EQ(reread.FindKey(0, "x"), -1);
}

}  // namespace
}  // namespace velmora::test
