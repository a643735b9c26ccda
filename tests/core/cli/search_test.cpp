// omnivelor-cli search: the unit search over the built-in topics.
#include "cli_support.h"
#include "../rows.h"

using namespace ovtest;

struct FindCase {
    const char* name;
    std::string text;
    std::string out;
};

class Find : public CliTest, public ::testing::WithParamInterface<FindCase> {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        writeDataFile(dir / "Omnivel.omv", {"1|ab|ab|1||True", "1|xaxbx|x|1", "1|Ab|A|1", "3|m2|m2|1||True",
                                            "3|m3|m3|1", "3|ab|ab|1", "5|metr|m|1||True"});
        writeDataFile(dir / "User.omv", {"1|ab|ab|1", "1|m7|m7|1"});
    }
};

TEST_P(Find, ListsExactThenPatternMatchesInTopicOrder)
{
    const CliRun r = run({"search", GetParam().text});
    EXPECT_EQ(r.out, GetParam().out);
    EXPECT_EQ(r.code, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, Find, ::testing::Values(
    FindCase{"ExactAndPattern", "ab",
             "1-1\tab\texact\n3-3\tab\texact\n1-1\tab\tpattern\n1-2\txaxbx\tpattern\n3-3\tab\tpattern\n"},
    FindCase{"CaseSensitive", "Ab", "1-3\tAb\texact\n1-3\tAb\tpattern\n"},
    FindCase{"NumberSignIsADigit", "m#", "3-1\tm2\tpattern\n3-2\tm3\tpattern\n"},
    FindCase{"QuestionMarkIsAnyCharacter", "m?", "3-1\tm2\tpattern\n3-2\tm3\tpattern\n5-1\tmetr\tpattern\n"},
    FindCase{"CharactersInOrder", "mr", "5-1\tmetr\tpattern\n"},
    FindCase{"NothingFound", "zz", ""},
    FindCase{"EmptyTextFindsNothing", "", ""},
    FindCase{"UnclosedBracket", "[a", ""}),
    ovtest::rowName);
// clang-format on
