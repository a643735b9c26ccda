#include "core/history.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ov;

namespace {

const HistoryEntry kFirst{"2026-12-08T19:34:55", 1, "Délka", "kilometr", "5", "5 km → 5000 m"};
const HistoryEntry kSecond{"2026-12-07T08:00:00", 27, "Uživatel 1", "tucet", "0.5", "0,5 tuc → 6 ks"};

std::string lineOf(const HistoryEntry& e)
{
    std::string text = WriteHistory({e});
    return text.substr(0, text.size() - 2);
}

} // namespace

// A history file with one damaged line between two good ones: the good ones are read, the
// damaged one is passed over.
struct DamagedLine {
    const char* name;
    std::string line;
};

class HistoryFileTest : public ::testing::TestWithParam<DamagedLine> {};

TEST_P(HistoryFileTest, ADamagedLineIsPassedOver)
{
    const std::string text = lineOf(kFirst) + "\r\n" + GetParam().line + "\r\n" + lineOf(kSecond) + "\r\n";
    EXPECT_EQ(ReadHistory(text), (std::vector<HistoryEntry>{kFirst, kSecond}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(History, HistoryFileTest, ::testing::Values(
    DamagedLine{"Empty", ""},
    DamagedLine{"Blanks", "   "},
    DamagedLine{"FieldMissing", "2026-12-08T19:34:55\t1\tDélka\tkilometr\t5"},
    DamagedLine{"FieldTooMany", "2026-12-08T19:34:55\t1\tDélka\tkilometr\t5\t5 km → 5000 m\tnavíc"},
    DamagedLine{"TimeCut", "2026-12-08T19:34\t1\tDélka\tkilometr\t5\t5 km"},
    DamagedLine{"MonthThirteen", "2026-13-08T19:34:55\t1\tDélka\tkilometr\t5\t5 km"},
    DamagedLine{"TopicZero", "2026-12-08T19:34:55\t0\tDélka\tkilometr\t5\t5 km"},
    DamagedLine{"TopicBeyondUsers", "2026-12-08T19:34:55\t47\tDélka\tkilometr\t5\t5 km"},
    DamagedLine{"TopicNotANumber", "2026-12-08T19:34:55\tx\tDélka\tkilometr\t5\t5 km"},
    DamagedLine{"NoUnit", "2026-12-08T19:34:55\t1\tDélka\t\t5\t5 km"},
    DamagedLine{"NoText", "2026-12-08T19:34:55\t1\tDélka\tkilometr\t5\t"},
    DamagedLine{"ValueWithComma", "2026-12-08T19:34:55\t1\tDélka\tkilometr\t0,5\t5 km"},
    DamagedLine{"ValueOverflows", "2026-12-08T19:34:55\t1\tDélka\tkilometr\t1e999\t5 km"},
    DamagedLine{"NotUtf8", "2026-12-08T19:34:55\t1\tD\xE9lka\tkilometr\t5\t5 km"},
    DamagedLine{"Binary", std::string("\0\x01\x02\t\t\t\t\t", 9)},
    DamagedLine{"Huge", "2026-12-08T19:34:55\t1\tDélka\tkilometr\t5\t" + std::string(5000, 'x')}),
    ovtest::rowName);
// clang-format on

TEST(History, FileReadsBackWhatWasWritten)
{
    HistoryEntry tabbed = kFirst;
    tabbed.topicName = "Dél\tka\r\n";
    const std::vector<HistoryEntry> read = ReadHistory("\xEF\xBB\xBF" + WriteHistory({tabbed, kSecond}));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].topicName, "Dél ka  ");
    EXPECT_EQ(read[1], kSecond);
    // Lines ended by a bare LF, and no end after the last one.
    EXPECT_EQ(ReadHistory(lineOf(kFirst) + "\n" + lineOf(kSecond)), (std::vector<HistoryEntry>{kFirst, kSecond}));
}

TEST(History, KeepsTheNewestWithinTheLimit)
{
    History h;
    std::string file;
    for (int i = 0; i < 250; ++i) {
        HistoryEntry e = kFirst;
        e.value = std::to_string(i);
        h.add(e);
        file += lineOf(e) + "\r\n";
    }
    ASSERT_EQ(h.entries().size(), kHistoryLimit);
    EXPECT_EQ(h.entries().front().value, "249");
    EXPECT_EQ(h.entries().back().value, "50");
    EXPECT_EQ(ReadHistory(file).size(), kHistoryLimit);
    EXPECT_EQ(ReadHistory(WriteHistory(h.entries())), h.entries());
    // An earlier run's entries find no room left.
    h.appendOlder({kSecond});
    EXPECT_EQ(h.entries().size(), kHistoryLimit);
}

TEST(History, TheSameConversionTwiceIsOneEntry)
{
    History h;
    h.add(kSecond);
    h.add(kFirst);
    HistoryEntry again = kFirst;
    again.time = "2026-12-08T20:00:00";
    h.add(again);
    EXPECT_EQ(h.entries(), (std::vector<HistoryEntry>{again, kSecond}));
    h.appendOlder({kFirst});
    EXPECT_EQ(h.entries().size(), 3u);
    h.clear();
    EXPECT_TRUE(h.entries().empty());
}
