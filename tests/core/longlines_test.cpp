// Line ends, field bars and letters beyond ASCII wherever they fall in a line: at the start,
// in the middle or at the end of a run of eight bytes, which the reading takes at a time.
#include "core/encoding.h"
#include "core/loader.h"
#include "loader_support.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace ov;

namespace {

struct LinesCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
    TextEncoding encoding;
};

class LineEnds : public ::testing::TestWithParam<LinesCase> {};

TEST_P(LineEnds, SplitTheSameAnywhere)
{
    const auto content = decodeText(GetParam().bytes);
    EXPECT_EQ(content.lines, GetParam().lines);
    EXPECT_EQ(content.encoding, GetParam().encoding);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Buffers, LineEnds,
    ::testing::Values(
        LinesCase{"CrLfAcrossEightBytes", "abcdefg\r\nhijklmno\r\n", {"abcdefg", "hijklmno"}, TextEncoding::Utf8},
        LinesCase{"EndAsEighthByte", "abcdefg\nhijklmn\r", {"abcdefg", "hijklmn"}, TextEncoding::Utf8},
        LinesCase{"SeveralEndsInEightBytes", "a\rb\nc\r\nd\n\ne", {"a", "b", "c", "d", "", "e"}, TextEncoding::Utf8},
        LinesCase{"LongLineNoEnd", std::string(37, 'x'), {std::string(37, 'x')}, TextEncoding::Utf8},
        LinesCase{"LoneCrThenCrLf", "abcdefgh\r\r\nij", {"abcdefgh", "", "ij"}, TextEncoding::Utf8},
        LinesCase{"CzechAfterEightAscii", "12345678\xC4\x8D\xC3\xA1s\r\n", {"12345678čás"}, TextEncoding::Utf8},
        LinesCase{"BrokenSequenceAfterEightAscii", "12345678\xE8\x61s\r\n", {"12345678\xC4\x8D\x61s"}, TextEncoding::Windows1250},
        LinesCase{"ByteOrderMarkBeforeLongLine", "\xEF\xBB\xBF" "abcdefghij\n", {"abcdefghij"}, TextEncoding::Utf8}),
    ovtest::rowName);
// clang-format on

struct FieldsCase {
    const char* name;
    std::string line;
    const char* unitName;
    const char* symbol;
    double coefficient;
    const char* info;
};

class FieldBars : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(FieldBars, SplitTheSameAnywhere)
{
    auto db = std::make_unique<UnitDatabase>();
    ovtest::RecordingSink sink;
    LoadOptions o;
    o.mainFileName = "Omnivel.omv";
    ASSERT_TRUE(LoadMainText(*db, o, GetParam().line + "\r\n", sink));
    ASSERT_EQ(db->unitCount(1), 1);
    EXPECT_EQ(db->unit(1, 1).name, GetParam().unitName);
    EXPECT_EQ(db->unit(1, 1).symbol, GetParam().symbol);
    EXPECT_EQ(db->unit(1, 1).factor, GetParam().coefficient);
    EXPECT_EQ(db->unit(1, 1).info, GetParam().info);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, FieldBars,
    ::testing::Values(
        FieldsCase{"BarsAtEighthBytes", "1|metr123|m234567|1000|i|True", "metr123", "m234567", 1000, "i"},
        FieldsCase{"BarsTogether", "1|a||1||True", "a", "", 1, ""},
        FieldsCase{"LongFields", "1|" + std::string(20, 'n') + "|s|0.0254|" + std::string(30, 'i') + "|True",
                   "nnnnnnnnnnnnnnnnnnnn", "s", 0.0254, "iiiiiiiiiiiiiiiiiiiiiiiiiiiiii"},
        FieldsCase{"BlanksInsideTheCoefficient", "1|palec|in|0.02 54|x|True", "palec", "in", 0.0254, "x"},
        FieldsCase{"LongCoefficient", "1|u|u|1.2345678901234567890123|x|True", "u", "u", 1.2345678901234567890123, "x"},
        FieldsCase{"CzechAcrossEightBytes", "1|čtvrtmíle|čm|402.336|Čtvrtina míle|True", "čtvrtmíle", "čm", 402.336,
                   "Čtvrtina míle"}),
    ovtest::rowName);
// clang-format on

} // namespace
