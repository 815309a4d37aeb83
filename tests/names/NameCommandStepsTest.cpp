// The typed name's listed form, which the install and save commands request and report.
#include "names/NameCommandSteps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ListedName, TakesTheLastListedNameEqualApartFromCase)
{
    struct Row
    {
        std::vector<std::string> names;
        std::string typed;
        std::string listed;
    };
    const Row rows[] = {
        {{"Anna", "Bob"}, "ANNA", "Anna"},
        {{"anna", "Bob", "ANNA"}, "Anna", "ANNA"}, // the later of two case variants
        {{"Anna"}, "Ann", ""},
        {{"Anna"}, "Anna ", ""},
        {{}, "Anna", ""},
        {{"\xC3\x89mile"}, "\xC3\xA9mile", "\xC3\x89mile"}, // letters beyond A-Z fold too
    };
    for (const Row& row : rows)
        EXPECT_EQ(namelist::ListedName(row.names, row.typed), row.listed) << row.typed;
}
