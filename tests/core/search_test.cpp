#include "core/search.h"
#include "rows.h"

#include <gtest/gtest.h>

using namespace ov;

struct LikeCase {
    const char* name;
    const char* text;
    const char* pattern;
    bool matches;
};

class LikeMatchTest : public ::testing::TestWithParam<LikeCase> {};

TEST_P(LikeMatchTest, FollowsTheWildcardRules)
{
    EXPECT_EQ(LikeMatch(GetParam().text, GetParam().pattern), GetParam().matches)
        << GetParam().text << " ~ " << GetParam().pattern;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Search, LikeMatchTest, ::testing::Values(
    LikeCase{"StarMatchesNothing", "m2", "*m*2**", true},
    LikeCase{"StarMatchesRun", "metr čtvereční", "*m*2**", false},
    LikeCase{"StarsInOrder", "milimetr", "*m*r*", true},
    LikeCase{"OrderMatters", "rm", "*m*r*", false},
    LikeCase{"CaseSensitive", "Ab", "*a*b**", false},
    LikeCase{"QuestionOneCharacter", "abc", "a?c", true},
    LikeCase{"QuestionNeedsACharacter", "ac", "a?c", false},
    LikeCase{"QuestionIsOneUtf8Character", "ačc", "a?c", true},
    LikeCase{"HashDigit", "m3", "m#", true},
    LikeCase{"HashNotLetter", "mx", "m#", false},
    LikeCase{"ListMember", "b", "[abc]", true},
    LikeCase{"ListNonMember", "d", "[abc]", false},
    LikeCase{"NegatedList", "d", "[!abc]", true},
    LikeCase{"NegatedListMember", "a", "[!abc]", false},
    LikeCase{"Range", "k", "[a-z]", true},
    LikeCase{"RangeOutside", "K", "[a-z]", false},
    LikeCase{"RangeOfAccented", "ž", "[š-ž]", true},
    LikeCase{"HyphenAtEndIsLiteral", "-", "[a-]", true},
    LikeCase{"UnclosedBracketIsLiteral", "a[b", "a[b", true},
    LikeCase{"UnclosedBracketNeedsBracket", "ab", "a[b", false},
    LikeCase{"BracketedStarIsLiteral", "a*", "a[*]", true},
    LikeCase{"BracketedStarOnlyStar", "ab", "a[*]", false},
    LikeCase{"WholeTextMustMatch", "abc", "ab", false},
    LikeCase{"Accented", "stupeň Réaumura", "*R*é*", true},
    // Bytes that are no UTF-8 are compared one by one; an overlong form is no character at all.
    LikeCase{"OverlongHashIsNoWildcard", "\xf6\x87\x09\xc0\xa3\xcd\x69", "\xf6\x87\x09\xc0\xa3\xcd\x69", true},
    LikeCase{"OverlongHashIsNoDigit", "\xc0\xa3", "#", false},
    LikeCase{"OverlongIsTwoCharacters", "\xc0\xa3", "??", true},
    LikeCase{"SurrogateIsThreeCharacters", "\xed\xa0\x80", "???", true},
    LikeCase{"StrayBytesMatchThemselves", "a\x80\xff" "b", "a??b", true}),
    ovtest::rowName);
// clang-format on

namespace {

UnitDatabase makeDb()
{
    UnitDatabase db;
    auto put = [&](int t, std::initializer_list<const char*> names) {
        int u = 0;
        for (const char* n : names)
            db.unitSlot(t, ++u).name = n;
        db.setUnitCount(t, u);
    };
    put(1, {"metr", "ab", "palec", "xaxbx"});
    put(2, {"ab", "akr"});
    put(12, {"uzel", "m2"});
    put(30, {"ab"});               // a user topic: never searched
    db.unitSlot(3, 5).name = "ab"; // behind topic 3's count: no row shows it
    return db;
}

std::vector<std::string> describe(const std::vector<SearchHit>& hits)
{
    std::vector<std::string> out;
    for (const auto& h : hits)
        out.push_back(h.tag() + " " + h.name + (h.exact ? " exact" : " pattern"));
    return out;
}

} // namespace

TEST(Search, ExactMatchesFirstThenEveryNameWithTheCharactersInOrder)
{
    const UnitDatabase db = makeDb();
    EXPECT_EQ(describe(SearchUnits(db, "ab")),
              (std::vector<std::string>{"1-2 ab exact", "2-1 ab exact", "1-2 ab pattern", "1-4 xaxbx pattern",
                                        "2-1 ab pattern"}));
}

TEST(Search, IsCaseSensitive) { EXPECT_TRUE(SearchUnits(makeDb(), "Ab").empty()); }

TEST(Search, WildcardsOfTheTextKeepTheirMeaning)
{
    const UnitDatabase db = makeDb();
    EXPECT_EQ(describe(SearchUnits(db, "m#")), (std::vector<std::string>{"12-2 m2 pattern"}));
    EXPECT_EQ(describe(SearchUnits(db, "u?l")), (std::vector<std::string>{"12-1 uzel pattern"}));
}

TEST(Search, EmptyTextFindsNothing) { EXPECT_TRUE(SearchUnits(makeDb(), "").empty()); }

TEST(Search, TagJoinsTopicAndUnit) { EXPECT_EQ((SearchHit{12, 7, "x", true}.tag()), "12-7"); }
