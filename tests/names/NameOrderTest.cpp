// The catalogue order: the service's examples, and agreement with the step-by-step exchange sort.
#include "names/NameOrder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/names/LiteralNameList.h"

using Names = std::vector<std::string>;

TEST(NameOrder, FoldsOnlyAToZAndKeepsTheServicesOrderForEqualNames)
{
    struct Row
    {
        Names given, sorted;
    };
    const Row rows[] = {
        {{"bob", "Anna", "anna", "Carl"}, {"Anna", "anna", "bob", "Carl"}},
        {{"anna", "Anna", "ANNA"}, {"anna", "Anna", "ANNA"}},
        // '_' lies between 'Z' and 'a': it sorts before every folded letter.
        {{"A", "_", "a", "Z"}, {"_", "A", "a", "Z"}},
        // Bytes above 127 compare unsigned and are not folded: "\xC3\x89" (É) after "z".
        {{"\xC3\x89mile", "zoe", "Emil", "\xC3\xA9mile"}, {"Emil", "zoe", "\xC3\x89mile", "\xC3\xA9mile"}},
        {{"Ann", "", "An"}, {"", "An", "Ann"}},
        {{"one"}, {"one"}},
        {{}, {}},
    };
    for (const Row& row : rows) {
        Names names = row.given;
        namelist::SortNames(names);
        EXPECT_EQ(names, row.sorted) << ::testing::PrintToString(row.given);
    }
}

TEST(NameOrder, ComparisonStopsAtTheFirstNulAsTheByteComparisonDoes)
{
    const std::string withNul("ab\0z", 4), other("ab\0a", 4);
    EXPECT_EQ(namelist::CompareFolded(withNul, other), 0);
    EXPECT_EQ(namelist::CompareFolded("ABC", "abd"), -1);
    EXPECT_EQ(namelist::CompareFolded("abd", "ABC"), 1);
    EXPECT_EQ(namelist::CompareFolded("ab", "abc"), -1);
    EXPECT_TRUE(namelist::EqualsFolded("McDonald", "MCDONALD"));
}

// Only A to Z were folded: "łukasz" gave "Name Not Found" for Łukasz while "zoë" found Zoë.
TEST(NameOrder, TypedNamesMatchIgnoringTheCaseOfEveryScriptsLetters)
{
    const struct
    {
        const char* typed;
        const char* listed;
        bool equal;
    } cases[] = {
        {"łukasz", "Łukasz", true},  {"ÉMILE", "Émile", true},
        {"zoë", "Zoë", true},        {"ÆRØSKØBING", "Ærøskøbing", true},
        {"ΑΛΈΞΗΣ", "αλέξησ", true},  {"ΑΝΝΑ", "Αννα", true},
        {"АННА", "анна", true},      {"ЁЖ", "ёж", true},
        {"ŹDŹBŁO", "źdźbło", true},  {"ĹUBO", "ĺubo", true},
        {"ŸVES", "ÿves", true},      {"McDonald", "MCDONALD", true},
        {"Lukasz", "Łukasz", false}, {"Anna", "Anne", false},
        {"Anna", "Ann", false},      {"\xC9mile", "\xE9mile", false},
        {"\xFF", "\xFF", true},      {"a\0b", "A\0c", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namelist::EqualsFolded(c.typed, c.listed), c.equal) << c.typed << " / " << c.listed;
        EXPECT_EQ(namelist::EqualsFolded(c.listed, c.typed), c.equal) << c.listed << " / " << c.typed;
    }
    // The order stays that of A to Z alone.
    EXPECT_NE(namelist::CompareFolded("\xC3\xA9", "\xC3\x89"), 0);
}

TEST(NameOrder, MatchesTheExchangeSortOnRandomCatalogues)
{
    std::mt19937 random(20240611);
    const std::string alphabet = std::string("aAbBzZ_[`{ ~\x7f\xC3\xA9\x89", 17) + std::string(1, '\0');
    for (int round = 0; round < 300; ++round) {
        Names names(std::uniform_int_distribution<int>(0, 40)(random));
        for (std::string& name : names) {
            const int length = std::uniform_int_distribution<int>(0, 4)(random);
            for (int i = 0; i < length; ++i)
                name += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random)];
        }
        Names expected = names;
        literal::BubbleSort(expected);
        namelist::SortNames(names);
        ASSERT_EQ(names, expected) << "round " << round;
    }
}
