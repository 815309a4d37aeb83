// Reading the names out of a ListPackages reply's rm content, item by item.
#include "names/NameListReply.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/names/LiteralNameList.h"

using Names = std::vector<std::string>;

namespace {

Names Read(const std::string& rm, Names names = {})
{
    namelist::AppendItemNames(rm, names);
    return names;
}

} // namespace

TEST(NameListReply, ReadsEachItemsDisplaynameInTheServicesOrder)
{
    struct Row
    {
        const char* label;
        std::string rm;
        Names names;
    };
    const Row rows[] = {
        {"plain",
         "<item><displayname>bob</displayname><package>b</package></item><item><displayname>Anna</"
         "displayname></item>",
         {"bob", "Anna"}},
        {"noItems", "nothing here", {}},
        {"missingRm", "Value not found.", {}},
        {"empty", "", {}},
        {"itemWithoutDisplayname",
         "<item><package>x</package></item><item><displayname>Carl</displayname></item>",
         {"Carl"}},
        {"emptyDisplayname", "<item><displayname></displayname></item>", {""}},
        {"notFoundStops", "<item>Value not found.</item><item><displayname>late</displayname></item>", {}},
        {"unclosedLastItem",
         "<item><displayname>a</displayname></item><item><displayname>b</displayname>",
         {"a"}},
        // The first closing tag before the first opening one: that item reads empty, the walk goes on.
        {"closeBeforeOpen", "</item><item><displayname>a</displayname></item>", {"a"}},
        {"textAround", "head<item> <displayname>x y</displayname> </item>tail", {"x y"}},
        {"entitiesKept", "<item><displayname>Ann &amp; Bo</displayname></item>", {"Ann &amp; Bo"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Read(row.rm), row.names) << row.label;
}

TEST(NameListReply, AppendsAfterTheNamesAlreadyHeld)
{
    EXPECT_EQ(Read("<item><displayname>new</displayname></item>", {"old"}), (Names{"old", "new"}));
}

TEST(NameListReply, AgreesWithTheFrontCuttingWalkOnScrambledReplies)
{
    std::mt19937 random(99);
    const std::vector<std::string> pieces = {
        "<item>", "</item>", "<displayname>", "</displayname>",  "a", "Bo",
        "<",      ">",       "item",          "Value not found."};
    for (int round = 0; round < 2000; ++round) {
        std::string rm;
        for (int i = std::uniform_int_distribution<int>(0, 24)(random); i > 0; --i)
            rm += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random)];
        Names expected;
        literal::ItemNames(rm, expected);
        ASSERT_EQ(Read(rm), expected) << "round " << round << ": " << rm;
    }
}
