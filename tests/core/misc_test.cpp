#include "core/misc.h"
#include "rows.h"

#include <gtest/gtest.h>

using namespace ov;

class UnscrambleTest : public ::testing::TestWithParam<std::string> {};

TEST_P(UnscrambleTest, IsItsOwnInverse)
{
    const std::string plain = GetParam();
    const std::string scrambled = Unscramble(plain);
    EXPECT_EQ(Unscramble(scrambled), plain);
    EXPECT_EQ(scrambled.size(), plain.size());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Misc, UnscrambleTest, ::testing::Values(
    std::string(), std::string("omniVELOR"), std::string("Autor: Karel Zíka, Ústí nad Labem \"2026\""),
    std::string("žluťoučký kůň úpěl ďábelské ódy — €"), std::string("\x01\x7f\xff\xc3", 4)));
// clang-format on

TEST(Misc, UnscrambleChangesTheTextAndKeepsUtf8)
{
    const std::string plain = "Příliš žluťoučký kůň úpěl ďábelské ódy, napsal Karel.";
    const std::string scrambled = Unscramble(plain);
    EXPECT_NE(scrambled, plain);
    for (unsigned char c : scrambled) {
        if (c < 0x80) {
            EXPECT_TRUE(c >= 0x20 && c <= 0x7E);
        }
    }
    EXPECT_EQ(Unscramble(plain), scrambled); // the same every time
}

struct MailCase {
    const char* name;
    const char* subject;
    const char* body;
    const char* cc;
    const char* bcc;
    const char* address;
};

class MailtoTest : public ::testing::TestWithParam<MailCase> {};

TEST_P(MailtoTest, BuildsTheAddress)
{
    const MailCase& c = GetParam();
    EXPECT_EQ(MailtoAddress("autor@example.cz", c.subject, c.body, c.cc, c.bcc), c.address);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Misc, MailtoTest, ::testing::Values(
    MailCase{"Nothing", "", "", "", "", "mailto:autor@example.cz"},
    MailCase{"SubjectOnly", "omniVELOR", "", "", "", "mailto:autor@example.cz?Subject=omniVELOR"},
    MailCase{"SubjectWithSpaces", "omniVELOR 1.41 - připomínky. Revize 3", "", "", "",
             "mailto:autor@example.cz?Subject=omniVELOR 1.41 - připomínky. Revize 3"},
    MailCase{"BodyOnly", "", "text", "", "", "mailto:autor@example.cz?Body=text"},
    MailCase{"All", "s", "b", "c@x", "d@x", "mailto:autor@example.cz?Subject=s&Body=b&CC=c@x&BCC=d@x"},
    MailCase{"CopiesOnly", "", "", "c@x", "d@x", "mailto:autor@example.cz?CC=c@x&BCC=d@x"}),
    ovtest::rowName);
// clang-format on
