// A broken data file tells the user about its first ten bad lines, then once that there are more,
// and then keeps quiet; every line is still loaded as before.
#include "core/loader.h"
#include "loader_support.h"
#include "rows.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace ov;
using ovtest::crlf;
using ovtest::RecordingSink;
using ovtest::TempDir;

namespace {

const std::string kCapText =
    "Soubor Omnivel.omv obsahuje další chybné řádky. Další chyby už nebudou hlášeny; opravte soubor a načtěte ho znovu.";

std::vector<std::string> badLines(int n)
{
    std::vector<std::string> lines{"1|metr|m|1|info|True"};
    for (int i = 0; i < n; ++i)
        lines.push_back("x" + std::to_string(i) + "|kus|ks|1");
    return lines;
}

std::vector<std::string> overfullTopic(int extra)
{
    std::vector<std::string> lines{"1|u1|u|1||True"};
    for (int u = 2; u <= 150 + extra; ++u)
        lines.push_back("1|u" + std::to_string(u) + "|u|1");
    return lines;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct CapCase {
    const char* name;
    std::vector<std::string> lines;
    std::size_t messages; // what the user is shown
    bool capNotice;       // the last of them is the notice
};

void PrintTo(const CapCase& c, std::ostream* os) { *os << c.name; }

class MessageCap : public ::testing::TestWithParam<CapCase> {
protected:
    TempDir dir;

    LoadOptions options() const
    {
        LoadOptions o;
        o.mainPath = dir.write("Omnivel.omv", crlf(GetParam().lines));
        o.mainFileName = "Omnivel.omv";
        o.userPath = dir.path("User.omv");
        return o;
    }
};

TEST_P(MessageCap, ShowsTenThenOneNoticeThenNothing)
{
    const LoadOptions o = options();
    RecordingSink shown;
    CappedMessageSink cap(shown, "Omnivel.omv");
    auto db = std::make_unique<UnitDatabase>();
    const LoadResult capped = LoadDataFiles(*db, o, cap);

    // The same load told in full: the capped one shows a prefix of it and loads the same units.
    RecordingSink all;
    auto full = std::make_unique<UnitDatabase>();
    const LoadResult uncapped = LoadDataFiles(*full, o, all);

    ASSERT_EQ(shown.messages.size(), GetParam().messages);
    const std::size_t passed = GetParam().capNotice ? shown.messages.size() - 1 : shown.messages.size();
    for (std::size_t i = 0; i < passed; ++i) {
        EXPECT_EQ(shown.messages[i].text, all.messages[i].text) << i;
        EXPECT_EQ(shown.messages[i].title, all.messages[i].title) << i;
        EXPECT_EQ(shown.messages[i].icon, all.messages[i].icon) << i;
    }
    EXPECT_EQ(cap.capped(), GetParam().capNotice);
    if (GetParam().capNotice) {
        // The notice stands in for the eleventh message, so it is shown only when one comes.
        EXPECT_GE(all.messages.size(), shown.messages.size());
        EXPECT_EQ(shown.messages.back().text, kCapText);
        EXPECT_EQ(shown.messages.back().title, "omniVELOR");
        EXPECT_EQ(shown.messages.back().icon, MessageIcon::Critical);
    } else {
        EXPECT_EQ(all.messages.size(), shown.messages.size());
    }

    EXPECT_EQ(capped.mainLoaded, uncapped.mainLoaded);
    for (int t = 0; t <= kMaxTopic; ++t) {
        ASSERT_EQ(db->unitCount(t), full->unitCount(t)) << "topic " << t;
        for (int u = 1; u <= kMaxUnits; ++u)
            EXPECT_EQ(db->unit(t, u).name, full->unit(t, u).name);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, MessageCap,
    ::testing::Values(CapCase{"CleanFile", {"1|metr|m|1|info|True", "1|palec|in|0.0254"}, 0, false},
                      CapCase{"NineBadLines", badLines(9), 9, false},
                      CapCase{"TenBadLines", badLines(10), 10, false},
                      CapCase{"ElevenBadLines", badLines(11), 11, true},
                      CapCase{"FiveHundredBadLines", badLines(500), 11, true},
                      CapCase{"TopicFullCountsToo", overfullTopic(6) + badLines(6), 11, true},
                      CapCase{"OnlyTopicFull", overfullTopic(40), 11, true},
                      // The fatal end of a load already capped is not shown either.
                      CapCase{"FatalAfterTheCap", badLines(20) + std::vector<std::string>{"1|a|b|1||"}, 11, true},
                      CapCase{"FatalWithinTheCap", badLines(3) + std::vector<std::string>{"1|a|b|1||"}, 4, false}),
    ovtest::rowName);
// clang-format on

TEST(CappedMessageSink, EachLoadHasItsOwnCount)
{
    RecordingSink shown;
    for (int load = 0; load < 2; ++load) {
        CappedMessageSink cap(shown, "User.omv");
        for (int i = 0; i < 30; ++i)
            cap.showMessage("chyba", "omniVELOR", MessageIcon::Exclamation);
    }
    ASSERT_EQ(shown.messages.size(), 22u);
    EXPECT_EQ(shown.messages[10].text,
              "Soubor User.omv obsahuje další chybné řádky. Další chyby už nebudou hlášeny; opravte soubor a načtěte "
              "ho znovu.");
    EXPECT_EQ(shown.messages[11].text, "chyba");
}

} // namespace
