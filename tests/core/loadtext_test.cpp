// A data file already in memory loads exactly as the same file from disk: same units, same
// messages, whatever its encoding.
#include "core/loader.h"
#include "loader_support.h"
#include "rows.h"

#include <memory>
#include <ostream>
#include <string>

using namespace ov;
using ovtest::RecordingSink;
using ovtest::TempDir;

namespace {

struct TextCase {
    const char* name;
    std::string main; // bytes of the main data file
    std::string user; // bytes of the user data file
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

std::string shipped(const std::string& file) { return TempDir::read(std::string(OV_DATA_DIR) + "/" + file); }
std::string testData(const std::string& file) { return TempDir::read(std::string(OV_TESTDATA_DIR) + "/" + file); }

class LoadFromText : public ::testing::TestWithParam<TextCase> {};

TEST_P(LoadFromText, MatchesTheLoadFromDisk)
{
    TempDir dir;
    LoadOptions o;
    o.mainPath = dir.write("Omnivel.omv", GetParam().main);
    o.mainFileName = "Omnivel.omv";
    o.userPath = dir.write("User.omv", GetParam().user);

    auto fromDisk = std::make_unique<UnitDatabase>();
    RecordingSink diskMessages;
    const LoadResult disk = LoadDataFiles(*fromDisk, o, diskMessages);

    auto fromText = std::make_unique<UnitDatabase>();
    RecordingSink textMessages;
    EXPECT_EQ(LoadMainText(*fromText, o, GetParam().main, textMessages), disk.mainLoaded);
    LoadUserText(*fromText, GetParam().user);

    ASSERT_EQ(textMessages.messages.size(), diskMessages.messages.size());
    for (std::size_t i = 0; i < textMessages.messages.size(); ++i)
        EXPECT_EQ(textMessages.messages[i].text, diskMessages.messages[i].text);
    for (int t = 1; t <= kMaxTopic; ++t) {
        ASSERT_EQ(fromText->unitCount(t), fromDisk->unitCount(t)) << "topic " << t;
        for (int u = 1; u <= fromDisk->unitCount(t); ++u) {
            EXPECT_EQ(fromText->unit(t, u).name, fromDisk->unit(t, u).name);
            EXPECT_EQ(fromText->unit(t, u).symbol, fromDisk->unit(t, u).symbol);
            EXPECT_EQ(fromText->unit(t, u).factor, fromDisk->unit(t, u).factor);
            EXPECT_EQ(fromText->unit(t, u).info, fromDisk->unit(t, u).info);
        }
    }
    for (int n = 1; n <= kUserTopics; ++n)
        EXPECT_EQ(fromText->userTopicUsed(n), fromDisk->userTopicUsed(n)) << n;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, LoadFromText,
    ::testing::Values(TextCase{"ShippedFiles", shipped("Omnivel.omv"), shipped("User.omv")},
                      TextCase{"Windows1250", testData("legacy-1250.omv"), testData("user-1250.omv")},
                      TextCase{"BadLinesAndByteOrderMark", "\xEF\xBB\xBF" "1|metr|m|1||True\r\nx|a|b|0,5\r\n",
                               "1|bit|b|1\r\n30|mimo|x|1\r\n"},
                      TextCase{"FatalFlag", "1|metr|m|1||True\r\n1|a|b|1||\r\n", ""}),
    ovtest::rowName);
// clang-format on

} // namespace
