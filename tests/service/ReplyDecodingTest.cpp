// Reading a reply body line by line and decoding it into the reply text, step by step.
#include "service/ReplyDecoding.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using service::DecodedReply;
using Outcome = DecodedReply::Outcome;

service::LineReader LinesOf(std::vector<std::string> lines, int* reads = nullptr)
{
    auto index = std::make_shared<std::size_t>(0);
    return [=](std::string& line) {
        if (reads)
            ++*reads;
        if (*index >= lines.size()) {
            line.clear();
            return false;
        }
        line = lines[(*index)++];
        return true;
    };
}

TEST(ReadReplyBody, JoinsLinesUpToTheFirstEmptyOne)
{
    int reads = 0;
    EXPECT_EQ(service::ReadReplyBody(LinesOf({"a", "b", "", "after blank"}, &reads)), "ab");
    EXPECT_EQ(reads, 3);
    EXPECT_EQ(service::ReadReplyBody(LinesOf({"only"})), "only");
    reads = 0;
    EXPECT_EQ(service::ReadReplyBody(LinesOf({"", "never read"}, &reads)), "");
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(service::ReadReplyBody(LinesOf({})), "");
}

struct DecodeCase
{
    const char* label;
    std::string reply;
    Outcome outcome;
    std::string text;
    std::string rc;
    std::string rm;
};

std::ostream& operator<<(std::ostream& os, const DecodeCase& c)
{
    return os << c.label;
}

class DecodeTable : public testing::TestWithParam<DecodeCase>
{
};

TEST_P(DecodeTable, FollowsTheStepsInOrder)
{
    const DecodeCase& c = GetParam();
    const DecodedReply got = service::DecodeReply(c.reply);
    EXPECT_EQ(got.outcome, c.outcome) << c.label;
    if (c.outcome != Outcome::Empty) {
        EXPECT_EQ(got.text, c.text) << c.label;
        EXPECT_EQ(got.rc, c.rc) << c.label;
        EXPECT_EQ(got.rm, c.rm) << c.label;
    }
}

const std::string kHead = "<?xml version=\"1.0\"?><string xmlns=\"urn:olv\">";

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeTable,
    testing::Values(
        DecodeCase{"success",
                   kHead + "&lt;OLVServerCall a&gt;&lt;rc&gt;0&lt;/rc&gt;&lt;rm&gt;ok&lt;/rm&gt;</string>",
                   Outcome::Text, "<rc>0</rc><rm>ok</rm>", "0", "ok"},
        DecodeCase{"nothing at all", "", Outcome::Empty, "", "", ""},
        DecodeCase{"sixteen characters after the marker start, not fourteen",
                   "OLVServerCallXYZ<rc>0</rc><rm>m</rm></string>", Outcome::Text, "<rc>0</rc><rm>m</rm>",
                   "0", "m"},
        DecodeCase{"only lt and gt are decoded",
                   "OLVServerCall a>&lt;rc&gt;0&lt;/rc&gt;&lt;rm&gt;Tom &amp; &quot;J&quot; "
                   "&#65;&lt;/rm&gt;</string>",
                   Outcome::Text, "<rc>0</rc><rm>Tom &amp; &quot;J&quot; &#65;</rm>", "0",
                   "Tom &amp; &quot;J&quot; &#65;"},
        DecodeCase{"first closing string tag removed, the rest kept",
                   "OLVServerCall a><rc>0</rc></string><rm>x</rm></string>", Outcome::Text,
                   "<rc>0</rc><rm>x</rm></string>", "0", "x"},
        DecodeCase{"no marker: cut at index 15", "123456789012345<rc>0</rc><rm>m</rm></string>",
                   Outcome::Text, "<rc>0</rc><rm>m</rm>", "0", "m"},
        DecodeCase{"no closing string tag: first nine characters go",
                   "OLVServerCall a>123456789<rc>0</rc><rm>m</rm>", Outcome::Text, "<rc>0</rc><rm>m</rm>",
                   "0", "m"},
        DecodeCase{"no closing string tag, shorter than nine: kept", "OLVServerCall a><rc>",
                   Outcome::ServiceError, "<rc>", "Value not found.", "Value not found."},
        DecodeCase{"marker at the very end leaves nothing", "abcOLVServerCall", Outcome::ServiceError, "",
                   "Value not found.", "Value not found."},
        DecodeCase{"service error", "OLVServerCall a><rc>3</rc><rm>No such name</rm></string>",
                   Outcome::ServiceError, "<rc>3</rc><rm>No such name</rm>", "3", "No such name"},
        DecodeCase{"empty rc is an error", "OLVServerCall a><rc></rc><rm>m</rm></string>",
                   Outcome::ServiceError, "<rc></rc><rm>m</rm>", "", "m"},
        DecodeCase{"leading zero is an error", "OLVServerCall a><rc>00</rc><rm>m</rm></string>",
                   Outcome::ServiceError, "<rc>00</rc><rm>m</rm>", "00", "m"},
        DecodeCase{"leading space is an error", "OLVServerCall a><rc> 0</rc><rm>m</rm></string>",
                   Outcome::ServiceError, "<rc> 0</rc><rm>m</rm>", " 0", "m"},
        DecodeCase{"missing rc", "OLVServerCall a><rm>m</rm></string>", Outcome::ServiceError, "<rm>m</rm>",
                   "Value not found.", "m"}));

TEST(DecodeReply, ServiceErrorTextJoinsCodeAndMessage)
{
    const DecodedReply missing = service::DecodeReply("OLVServerCall a><rm>gone</rm></string>");
    EXPECT_EQ(service::ServiceErrorText(missing), "Error Value not found.: gone");
    const DecodedReply empty = service::DecodeReply("OLVServerCall a><rc></rc><rm>m</rm></string>");
    EXPECT_EQ(service::ServiceErrorText(empty), "Error : m");
}

} // namespace
