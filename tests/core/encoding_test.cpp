// Text files as they come from the user's disk: UTF-8, older Windows-1250 files, mixed line ends.
#include "core/encoding.h"
#include "loader_support.h"
#include "rows.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

using namespace ov;
using ovtest::TempDir;

namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool valid;
};

class Utf8Validity : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Validity, IsRecognised) { EXPECT_EQ(isValidUtf8(GetParam().bytes), GetParam().valid); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bytes, Utf8Validity,
    ::testing::Values(Utf8Case{"Ascii", "metr|m|1", true}, Utf8Case{"Czech", "Délka čtvereční ů", true},
                      Utf8Case{"FourBytes", "\xF0\x9F\x98\x80", true}, Utf8Case{"Empty", "", true},
                      Utf8Case{"Windows1250Letter", "d\xE9lka", false},
                      Utf8Case{"Overlong", "\xC0\xAF", false}, Utf8Case{"Surrogate", "\xED\xA0\x80", false},
                      Utf8Case{"Truncated", "\xC4", false}, Utf8Case{"BeyondUnicode", "\xF4\x90\x80\x80", false},
                      Utf8Case{"StrayContinuation", "a\x80", false}),
    ovtest::rowName);
// clang-format on

struct CodePageCase {
    const char* name;
    unsigned char byte;
    const char* utf8;
};

class Windows1250 : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(Windows1250, ByteMapsBothWays)
{
    const auto& c = GetParam();
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(windows1250ToUtf8(byte), c.utf8);
    EXPECT_EQ(utf8ToWindows1250(c.utf8), byte);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Letters, Windows1250,
    ::testing::Values(CodePageCase{"Euro", 0x80, "€"}, CodePageCase{"S_caron", 0x8A, "Š"},
                      CodePageCase{"T_caron", 0x8D, "Ť"}, CodePageCase{"Z_caron", 0x8E, "Ž"},
                      CodePageCase{"s_caron", 0x9A, "š"}, CodePageCase{"t_caron", 0x9D, "ť"},
                      CodePageCase{"z_caron", 0x9E, "ž"}, CodePageCase{"Degree", 0xB0, "°"},
                      CodePageCase{"Micro", 0xB5, "µ"}, CodePageCase{"C_caron", 0xC8, "Č"},
                      CodePageCase{"E_caron", 0xCC, "Ě"}, CodePageCase{"D_caron", 0xCF, "Ď"},
                      CodePageCase{"N_caron", 0xD2, "Ň"}, CodePageCase{"R_caron", 0xD8, "Ř"},
                      CodePageCase{"U_ring", 0xD9, "Ů"}, CodePageCase{"a_acute", 0xE1, "á"},
                      CodePageCase{"c_caron", 0xE8, "č"}, CodePageCase{"e_caron", 0xEC, "ě"},
                      CodePageCase{"d_caron", 0xEF, "ď"}, CodePageCase{"r_caron", 0xF8, "ř"},
                      CodePageCase{"u_ring", 0xF9, "ů"}, CodePageCase{"y_acute", 0xFD, "ý"},
                      CodePageCase{"Times", 0xD7, "×"}, CodePageCase{"Undefined81", 0x81, "\xC2\x81"},
                      CodePageCase{"DotAbove", 0xFF, "˙"}),
    ovtest::rowName);
// clang-format on

TEST(Windows1250Text, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = windows1250ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToWindows1250(utf8), all);
}

TEST(Windows1250Text, CharactersWithoutCodeBecomeQuestionMarks)
{
    EXPECT_EQ(utf8ToWindows1250("Ω = 1 ñ"), "? = 1 ?");
    EXPECT_EQ(utf8ToWindows1250("a\xFF"
                                "b"),
              "a?b");
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
    TextEncoding encoding;
};

class Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, SplitsLinesAndChoosesEncoding)
{
    const auto content = decodeText(GetParam().bytes);
    EXPECT_EQ(content.lines, GetParam().lines);
    EXPECT_EQ(content.encoding, GetParam().encoding);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Buffers, Decode,
    ::testing::Values(
        DecodeCase{"CrLf", "a\r\nb\r\n", {"a", "b"}, TextEncoding::Utf8},
        DecodeCase{"LoneLf", "a\nb\n", {"a", "b"}, TextEncoding::Utf8},
        DecodeCase{"Mixed", "a\r\nb\nc", {"a", "b", "c"}, TextEncoding::Utf8},
        DecodeCase{"LoneCr", "a\rb\r", {"a", "b"}, TextEncoding::Utf8},
        DecodeCase{"LastLineWithoutEnd", "a\r\nb", {"a", "b"}, TextEncoding::Utf8},
        DecodeCase{"EmptyLinesKept", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}, TextEncoding::Utf8},
        DecodeCase{"Empty", "", {}, TextEncoding::Utf8},
        DecodeCase{"ByteOrderMarkDropped", "\xEF\xBB\xBFmetr\r\n", {"metr"}, TextEncoding::Utf8},
        DecodeCase{"Utf8Czech", "D\xC3\xA9lka\r\n", {"Délka"}, TextEncoding::Utf8},
        DecodeCase{"Windows1250Czech", "D\xE9lka\r\n\xC8\x61s\r\n", {"Délka", "Čas"}, TextEncoding::Windows1250}),
    ovtest::rowName);
// clang-format on

class TextFiles : public ::testing::TestWithParam<TextEncoding> {};

TEST_P(TextFiles, WriteThenReadGivesTheSameLines)
{
    TempDir dir;
    const std::string path = dir.path("záznam.txt");
    const std::vector<std::string> lines{"metr;palec;stopa", "1;39,37;3,281", "", "Průtok ř ů ě °"};
    ASSERT_TRUE(writeTextFile(path, lines, GetParam()));
    const auto back = readTextFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lines, lines);
    EXPECT_EQ(back->encoding, GetParam());
    // No byte-order mark, every line ended by CR LF.
    const std::string lastLine = GetParam() == TextEncoding::Utf8 ? "Průtok ř ů ě °" : "Pr\xF9tok \xF8 \xF9 \xEC \xB0";
    EXPECT_EQ(TempDir::read(path), "metr;palec;stopa\r\n1;39,37;3,281\r\n\r\n" + lastLine + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Encodings, TextFiles, ::testing::Values(TextEncoding::Utf8, TextEncoding::Windows1250),
                         [](const auto& row) {
                             return row.param == TextEncoding::Utf8 ? std::string("Utf8") : std::string("Windows1250");
                         });

TEST(TextFile, OverwriteReplacesTheWholeFileAndLeavesNoTemporary)
{
    TempDir dir;
    const std::string path = dir.write("data.omv", "old line one\r\nold line two\r\nold line three\r\n");
    ASSERT_TRUE(writeTextFile(path, {"new"}, TextEncoding::Utf8));
    EXPECT_EQ(TempDir::read(path), "new\r\n");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.root()))
        ++files;
    EXPECT_EQ(files, 1u);
}

TEST(TextFile, FailureIsReportedAndTheOldFileKept)
{
    TempDir dir;
    EXPECT_FALSE(writeTextFile(dir.path("no-such-folder/x.txt"), {"a"}, TextEncoding::Utf8));
    const std::string target = dir.path("folder");
    std::filesystem::create_directory(target);
    EXPECT_FALSE(writeTextFile(target, {"a"}, TextEncoding::Utf8));
    EXPECT_TRUE(std::filesystem::is_directory(target));
}

TEST(TextFile, FailureGivesTheSystemsReason)
{
    TempDir dir;
    const std::string blocker = dir.write("data", "a file where a folder was\r\n");
    std::string reason;
    EXPECT_FALSE(writeTextFile(blocker + "/User.omv", {"a"}, TextEncoding::Utf8, &reason));
    EXPECT_EQ(reason, std::strerror(ENOTDIR));
}

TEST(TextFile, AReadOnlyFileIsRefusedAndKept)
{
    TempDir dir;
    const std::string path = dir.write("data.omv", "old\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    if (std::FILE* f = std::fopen(path.c_str(), "r+b")) { // a privileged user writes anyway
        std::fclose(f);
        GTEST_SKIP() << "the file system lets this user write a read-only file";
    }
    std::string reason;
    EXPECT_FALSE(writeTextFile(path, {"new"}, TextEncoding::Utf8, &reason));
    EXPECT_EQ(reason, std::strerror(EACCES));
    EXPECT_EQ(TempDir::read(path), "old\r\n");
}

TEST(TextFile, WritingThroughALinkRewritesTheFileItPointsTo)
{
    TempDir dir;
    const std::string real = dir.write("real.omv", "old\r\n");
    const std::string link = dir.path("link.omv");
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(writeTextFile(link, {"new"}, TextEncoding::Utf8));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::read(real), "new\r\n");
}

TEST(TextFile, MissingFileCannotBeRead)
{
    TempDir dir;
    EXPECT_FALSE(readTextFile(dir.path("missing.omv")));
    EXPECT_FALSE(readTextFile(dir.root().string()));
}

} // namespace
