// Suggestions for names that are not in the catalogue: what a typing slip away means, and what it does not.
#include <gtest/gtest.h>

#include "names/CloseNames.h"

namespace {

struct SlipCase
{
    const char* typed;
    std::vector<std::string> expected;
};

class CloseNamesOf : public testing::TestWithParam<SlipCase>
{
};

const std::vector<std::string> kCatalogue = {"Ana",   "Andy",  "Ann",     "Anna",   "Anne",     "Johanna",
                                             "John",  "Jonas", "Jürgen",  "Łukasz", "Muhammad", "Zoë",
                                             "Émile", "Σοφία", "Дмитрий", "李小龍"};

TEST_P(CloseNamesOf, SuggestsTheNamesASlipAway)
{
    EXPECT_EQ(namelist::CloseNames(kCatalogue, GetParam().typed), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Slips, CloseNamesOf,
    testing::Values(SlipCase{"Jon", {"John", "Jonas"}},       // a letter missing; a name it begins
                    SlipCase{"Jhon", {"John"}},               // two letters swapped
                    SlipCase{"lukasz", {"Łukasz"}},           // a letter outside A-Z
                    SlipCase{"ZOE", {"Zoë"}},                 // case and a diaeresis
                    SlipCase{"emile", {"Émile"}},             //
                    SlipCase{"Mohammed", {"Muhammad"}},       // two changes in a long name
                    SlipCase{"σοφια", {"Σοφία"}},             // Greek: case and the tonos
                    SlipCase{"дмитри", {"Дмитрий"}},          // Cyrillic: a letter missing
                    SlipCase{"An", {"Ana", "Ann", "Andy"}},   // three at most, closest first
                    SlipCase{"Jurgen", {"Jürgen"}},           //
                    SlipCase{"Xavier", {}},                   // nothing near
                    SlipCase{"Anna", {"Ana", "Ann", "Anne"}}, // the name itself is not suggested
                    SlipCase{"李小", {"李小龍"}},             // a name it begins, in any script
                    SlipCase{"", {}}));

TEST(CloseNames, ALongCatalogueKeepsTheCatalogueOrderAmongEquals)
{
    std::vector<std::string> catalogue;
    for (int i = 0; i < 20000; ++i)
        catalogue.push_back("Name" + std::to_string(i));
    catalogue.push_back("Jonh");
    catalogue.push_back("Johm");
    EXPECT_EQ(namelist::CloseNames(catalogue, "John"), (std::vector<std::string>{"Jonh", "Johm"}));
    EXPECT_EQ(namelist::CloseNames(catalogue, "Name1", 2), (std::vector<std::string>{"Name0", "Name2"}));
}

} // namespace
