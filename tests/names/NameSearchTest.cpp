// The type-ahead: exact match first, else the first name the text sorts before, else the last.
#include "names/NameSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "names/NameOrder.h"
#include "tests/names/LiteralNameList.h"

namespace {

struct Row
{
    const char* text;
    int index;
    bool exact;
};

class TypeAhead : public ::testing::TestWithParam<Row>
{
};

} // namespace

TEST_P(TypeAhead, SelectsTheItemTheTextLeadsTo)
{
    const std::vector<std::string> names = {"Anna", "Annabel", "Carl"};
    const Row& row = GetParam();
    const namelist::SearchHit hit = namelist::FindSearchHit(names, row.text);
    EXPECT_EQ(hit.index, row.index);
    EXPECT_EQ(hit.exact, row.exact);
}

INSTANTIATE_TEST_SUITE_P(AnnaAnnabelCarl, TypeAhead,
                         ::testing::Values(Row{"ann", 0, false}, Row{"ANNA", 0, true}, Row{"annb", 2, false},
                                           Row{"zz", 2, false}, Row{"", 0, false}, Row{"annabel", 1, true},
                                           Row{"Annabelle", 2, false}, Row{"carl", 2, true},
                                           Row{"Carla", 2, false}, Row{"A", 0, false},
                                           Row{"Anna ", 1, false}));

TEST(NameSearch, EmptyListSelectsNothing)
{
    const namelist::SearchHit hit = namelist::FindSearchHit({}, "anything");
    EXPECT_EQ(hit.index, -1);
    EXPECT_FALSE(hit.exact);
}

TEST(NameSearch, ExactPassFindsTheFirstOfNamesThatDifferOnlyInCase)
{
    const std::vector<std::string> names = {"Anna", "anna", "bob"};
    EXPECT_EQ(namelist::FindSearchHit(names, "ANNA").index, 0);
    EXPECT_EQ(namelist::FindSearchHit(names, "Bob").index, 2);
}

TEST(NameSearch, AgreesWithTheStepByStepSearchOnRandomLists)
{
    std::mt19937 random(7);
    const std::string alphabet = "aAbB_";
    auto word = [&] {
        std::string w;
        for (int i = std::uniform_int_distribution<int>(0, 3)(random); i > 0; --i)
            w += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random)];
        return w;
    };
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> names(std::uniform_int_distribution<int>(1, 12)(random));
        for (std::string& name : names)
            name = word();
        namelist::SortNames(names);
        const std::string text = word();
        int expected = -1;
        bool exact = false;
        for (size_t j = 0; j < names.size() && expected < 0; ++j)
            if (literal::Lower(names[j]) == literal::Lower(text))
                expected = static_cast<int>(j), exact = true;
        for (size_t k = 0; k < names.size() && expected < 0; ++k)
            if (literal::Compare(literal::Lower(text), literal::Lower(names[k])) < 0)
                expected = static_cast<int>(k);
        if (expected < 0)
            expected = static_cast<int>(names.size()) - 1;
        const namelist::SearchHit hit = namelist::FindSearchHit(names, text);
        ASSERT_EQ(hit.index, expected) << "round " << round << " text " << text;
        ASSERT_EQ(hit.exact, exact) << "round " << round;
    }
}
