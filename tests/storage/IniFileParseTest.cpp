// Reading INI text: the line rules, the stop at a control byte with the
// unread rest kept, and inputs that must never crash the parser.
#include "IniTestSupport.h"

namespace velmora::test {
namespace {

// Every line kind once, with LF ends and no LF after the last line.
const std::string kMixedFile =
    ";top note\n"
    "k0=v0\n"
    "[General Settings]\n"
    "Action=0\n"
    "Min = 5\n"
    "a=b[c]\n"
    "[broken\n"
    "x;y=z\n"
    "plain letters\n"
    "\n"
    "=v\n"
    "# c\n"
    "[a=b]\n"
    " p=q\n"
    "[Sec] ; note\n"
    "Action=1\n"
    "[general settings]\n"
    "action=2\n"
    "New=3\n"
    ";late";

const std::string kMixedSaved =
    ";top note\r\n\r\n"
    "[]\r\nk0=v0\r\n\r\n"
    "[General Settings]\r\n;y=z\r\n; c\r\n;late\r\n"
    "Action=2\r\nMin = 5\r\na=b[c]\r\n=v\r\nNew=3\r\n\r\n"
    "[a=b]\r\n p=q\r\n\r\n"
    "[Sec]\r\nAction=1\r\n\r\n"
    "[general settings]\r\n\r\n";

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

TEST(IniFileParse, LineRulesAndNormalisedLayout) {
    TempDir dir;
    for (const std::string& text : {kMixedFile, WithCrLf(kMixedFile)}) {
        WriteBytes(dir.File("in.ini"), text);
        IniFile ini(dir.File("in.ini"));
        ASSERT_TRUE(ini.Load());
        EXPECT_EQ(ini.FindSection("GENERAL SETTINGS"), 1);
        EXPECT_EQ(ini.FindSection("broken"), -1);
        EXPECT_EQ(ini.GetString("general settings", "min ", "?"), " 5");
        EXPECT_EQ(ini.GetString("General Settings", "", "?"), "v");
        EXPECT_EQ(ini.GetString("", "K0", "?"), "v0");
        EXPECT_EQ(ini.FindKey(4, "action"), -1);  // the duplicate section stays empty
        EXPECT_EQ(SavedBytes(ini, dir.File("in.ini")), kMixedSaved);
    }
}

TEST(IniFileParse, StrayCarriageReturnsAndNulBytesSurviveLoadAndSave) {
    TempDir dir;
    const std::string path = dir.File("bytes.ini");
    const char withNul[] = "[S\0x]\nk\0ey=va\0lue\n";
    const char saved[] = "[S\0x]\r\nk\0ey=va\0lue\r\n\r\n[S\r]\r\na=b\r\r\nc=d\r\n\r\n";
    WriteBytes(path, std::string(withNul, sizeof withNul - 1) + "[S\r]\r\na=b\r\r\nc=d\r\n");
    for (int pass = 0; pass < 2; ++pass) {
        IniFile ini(path);
        ASSERT_TRUE(ini.Load());
        EXPECT_EQ(ini.GetString("S\r", "a", ""), "b\r");
        EXPECT_EQ(ini.GetString(std::string_view("s\0X", 3), std::string_view("k\0ey", 4), ""),
                  std::string("va\0lue", 6));
        EXPECT_EQ(SavedBytes(ini, path), std::string(saved, sizeof saved - 1));
    }
}

TEST(IniFileParse, LoadResultFollowsSectionsAndReadability) {
    TempDir dir;
    IniFile missing(dir.File("none.ini"));
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.GetInt("S", "k", 4), 4);

    WriteBytes(dir.File("empty.ini"), "");
    EXPECT_FALSE(IniFile(dir.File("empty.ini")).Load());

    WriteBytes(dir.File("notes.ini"), "# one\n;two\nno marker\n");
    IniFile notes(dir.File("notes.ini"));
    EXPECT_FALSE(notes.Load());
    EXPECT_EQ(SavedBytes(notes, dir.File("notes.ini")), "; one\r\n;two\r\n\r\n");
}

TEST(IniFileParse, ControlByteStopsWithDiagnosticAndHighBytesLoad) {
    TempDir dir;
    const std::string path = dir.File("stop.ini");
    const std::pair<std::string, const char*> cases[] = {
        {"\t", "Failing on char 9\n"},   {"\x7f", "Failing on char 127\n"},
        {"\x01", "Failing on char 1\n"}, {std::string(1, '\0'), "Failing on char 0\n"},
        {"\r", "Failing on char 13\n"},
    };
    for (const auto& [byte, diagnostic] : cases) {
        WriteBytes(path, "[S]\na=1\n" + byte + "x=2\nb=3\n");
        IniFile ini(path);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(ini.Load());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), diagnostic);
        EXPECT_EQ(ini.GetInt("S", "a", -1), 1);
        EXPECT_EQ(ini.FindKey(0, "b"), -1);
    }
    WriteBytes(path, "\xc3\xa9t\xc3\xa9=1\n[\xe5\x90\x8d]\n\x80=2\n");
    IniFile utf8(path);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(utf8.Load());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(utf8.GetInt("", "\xc3\xa9t\xc3\xa9", 0), 1);
    EXPECT_EQ(utf8.GetInt("\xe5\x90\x8d", "\x80", 0), 2);
}

TEST(IniFileParse, SaveKeepsTheUnreadRestUntilCleared) {
    TempDir dir;
    const std::string path = dir.File("tail.ini");
    const std::string tail = "\tbad line\r\nb=2\n[T]\nx";
    WriteBytes(path, "[S]\r\na=1\r\n\r\n" + tail);
    IniFile ini(path);
    testing::internal::CaptureStdout();
    ini.Load();
    ASSERT_TRUE(ini.SetInt("S", "c", 3));
    const std::string saved = "[S]\r\na=1\r\nc=3\r\n\r\n" + tail;
    EXPECT_EQ(SavedBytes(ini, path), saved);

    IniFile again(path);
    EXPECT_FALSE(again.Load());
    EXPECT_EQ(SavedBytes(again, path), saved);
    again.Clear();
    ASSERT_TRUE(again.SetString("Processes", "File0", "a.out", true));
    EXPECT_EQ(SavedBytes(again, path), "[Processes]\r\nFile0=a.out\r\n\r\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failing on char 9\nFailing on char 9\n");
}

TEST(IniFileParse, HugeAndBinaryLinesNeverCrash) {
    TempDir dir;
    const std::string path = dir.File("odd.ini");
    const std::string huge(4 << 20, 'v');
    WriteBytes(path, "[S]\nk=" + huge + "\n" + std::string(3 << 20, 'w') + "\nz=1");
    IniFile big(path);
    ASSERT_TRUE(big.Load());
    EXPECT_EQ(big.GetString("S", "k", "").size(), huge.size());
    EXPECT_EQ(big.GetInt("S", "z", 0), 1);

    const char blob[] = "\xff\xfe[\x00]\x01=\x02\n\x1b[0m\n";
    WriteBytes(path, std::string(blob, sizeof blob - 1));
    IniFile binary(path);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(binary.Load());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failing on char 27\n");
    EXPECT_EQ(binary.FindSection(std::string_view("\0", 1)), 0);
}

}  // namespace
}  // namespace velmora::test
