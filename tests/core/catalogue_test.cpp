// The built-in topics, the error texts and the message builder, as the user reads them.
#include "core/catalogue.h"
#include "core/errors.h"
#include "core/messages.h"
#include "core/unitdb.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ov;

namespace {

struct TopicCase {
    int number;
    const char* key;
    const char* name;
};

class TopicCatalogue : public ::testing::TestWithParam<TopicCase> {};

TEST_P(TopicCatalogue, TopicHasItsKeyAndName)
{
    const auto& c = GetParam();
    EXPECT_EQ(TopicKey(c.number), c.key);
    EXPECT_EQ(DefaultTopicName(c.number), c.name);
    EXPECT_EQ(UnitDatabase().topicName(c.number), c.name);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Topics, TopicCatalogue,
    ::testing::Values(TopicCase{0, "", "Vítejte v programu omniVELOR!"}, TopicCase{1, "Delka", "Délka"},
                      TopicCase{2, "Obsah", "Plošný obsah"}, TopicCase{3, "Objem", "Objem"},
                      TopicCase{4, "Hmotnost", "Hmotnost"}, TopicCase{5, "Hustota", "Hustota"},
                      TopicCase{6, "Sila", "Síla"}, TopicCase{7, "Tlak", "Tlak"}, TopicCase{8, "Prace", "Práce"},
                      TopicCase{9, "Vykon", "Výkon"}, TopicCase{10, "Uhel", "Rovinný úhel"},
                      TopicCase{11, "Cas", "Čas"}, TopicCase{12, "Rychlost", "Rychlost"},
                      TopicCase{13, "KViskozita", "Kin. viskozita"}, TopicCase{14, "DViskozita", "Dyn. viskozita"},
                      TopicCase{15, "Prutok", "Průtok"}, TopicCase{16, "Teplota", "Teplota"},
                      TopicCase{17, "Proud", "Proud"}, TopicCase{18, "Napeti", "Napětí"},
                      TopicCase{19, "Odpor", "Odpor"}, TopicCase{20, "MgTok", "Mg. tok"},
                      TopicCase{21, "MgIndukce", "Mg. indukce"}, TopicCase{22, "IntenzitaMgPole", "Intenzita mg. pole"},
                      TopicCase{23, "Svitivost", "Svítivost"}, TopicCase{24, "Jas", "Jas"},
                      TopicCase{25, "Osvetleni", "Osvětlení"}, TopicCase{26, "Nasobky", "Násobky a díly"},
                      TopicCase{27, "", ""}, TopicCase{51, "", ""}),
    [](const auto& row) { return "Topic" + std::to_string(row.param.number); });
// clang-format on

TEST(Catalogue, UserTopicsAreNamedByNumber)
{
    EXPECT_EQ(DefaultUserTopicName(2), "Uživatel 2");
    EXPECT_EQ(DefaultUserTopicName(20), "Uživatel 20");
    EXPECT_FALSE(isUserTopic(26));
    EXPECT_TRUE(isUserTopic(27));
    EXPECT_TRUE(isUserTopic(46));
    EXPECT_FALSE(isUserTopic(47));
}

TEST(Catalogue, FreshDatabaseIsEmpty)
{
    const auto db = std::make_unique<UnitDatabase>();
    for (int t = 0; t <= kMaxTopic; ++t)
        EXPECT_EQ(db->unitCount(t), 0);
    EXPECT_EQ(db->unitCount(-1), 0);
    EXPECT_EQ(db->unitCount(51), 0);
    EXPECT_EQ(db->storeCounter, 0);
}

struct ErrorCase {
    ErrorNumber number;
    const char* description;
};

class ErrorTexts : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTexts, NumberHasItsCzechDescription)
{
    const RuntimeError e(GetParam().number);
    EXPECT_EQ(e.description(), GetParam().description);
    EXPECT_EQ(std::string(e.what()), "Chyba " + std::to_string(e.number()) + ": " + GetParam().description);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Numbers, ErrorTexts,
    ::testing::Values(ErrorCase{ErrorNumber::Overflow, "Přetečení"},
                      ErrorCase{ErrorNumber::SubscriptOutOfRange, "Index mimo rozsah"},
                      ErrorCase{ErrorNumber::DivisionByZero, "Dělení nulou"},
                      ErrorCase{ErrorNumber::TypeMismatch, "Neshoda typů"},
                      ErrorCase{ErrorNumber::FileNotFound, "Soubor nebyl nalezen"}),
    [](const auto& row) { return "Error" + std::to_string(static_cast<int>(row.param.number)); });
// clang-format on

TEST(ErrorTexts, UnknownNumberStillGetsAText) { EXPECT_FALSE(errorDescription(1234).empty()); }

TEST(MessageLines, EveryPartEndsInCrLfAndOmittedPartsAreEmptyLines)
{
    EXPECT_EQ(MessageLines({"Načtena nekorektní data", std::nullopt, "Konec"}),
              "Načtena nekorektní data\r\n\r\nKonec\r\n");
    EXPECT_EQ(MessageLines({std::nullopt}), "\r\n");
    EXPECT_EQ(MessageLines({std::string()}), "\r\n");
    EXPECT_EQ(MessageLines({}), "");
}

} // namespace
