// Replies as the client decodes them: rc, rm and the operation's elements survive the trip.
#include "server/ServiceReply.h"

#include <gtest/gtest.h>

#include "tests/server/ClientDecoding.h"

namespace {

using clientdecoding::Decode;
using clientdecoding::XmlRead;

TEST(ServiceReplyTest, SuccessDecodesToCodeZeroAndElements)
{
    const std::string body = servicereply::ReplyDocument(
        servicereply::ReplyText(ServiceStatus::Ok, "OK", "<url>127.0.0.1:9/x/packages/Anna.zip</url>"));
    const auto decoded = Decode(body);
    EXPECT_EQ(decoded.rc, "0");
    EXPECT_EQ(decoded.rm, "OK");
    EXPECT_EQ(XmlRead(decoded.replyText, "url"), "127.0.0.1:9/x/packages/Anna.zip");
    EXPECT_NE(decoded.replyText.find("</OLVServerCall>"), std::string::npos);
}

TEST(ServiceReplyTest, ErrorCarriesItsCodeAndReadableMessage)
{
    const auto decoded = Decode(servicereply::ReplyDocument(
        servicereply::StatusReply(ServiceStatus::UnknownPackage, "Requested: Bo")));
    EXPECT_EQ(decoded.rc, "6");
    EXPECT_EQ(decoded.rm, StatusMessage(ServiceStatus::UnknownPackage) + "  Requested: Bo");
}

TEST(ServiceReplyTest, DocumentIsOneLineAfterTheDeclarationAndAmpersandTravelsRaw)
{
    const std::string body =
        servicereply::ReplyDocument(servicereply::ReplyText(ServiceStatus::Ok, "Tom & Jerry \"quoted\""));
    const size_t firstBreak = body.find("\r\n");
    ASSERT_NE(firstBreak, std::string::npos);
    EXPECT_EQ(body.find('\n', firstBreak + 2), body.size() - 1) << "the string element must stay on one line";
    EXPECT_EQ(body.find('<', firstBreak), body.find("<string"));
    EXPECT_EQ(Decode(body).rm, "Tom & Jerry \"quoted\"");
}

struct InertCase
{
    const char* label;
    std::string input;
    std::string expected;
};

void PrintTo(const InertCase& c, std::ostream* os)
{
    *os << c.label;
}

class InertTest : public testing::TestWithParam<InertCase>
{
};

TEST_P(InertTest, NothingTurnsIntoMarkupAfterDecoding)
{
    const InertCase& c = GetParam();
    const std::string inert = servicereply::Inert(c.input);
    EXPECT_EQ(inert, c.expected) << c.label;
    // Whatever stays must come back unchanged inside rm.
    const auto decoded =
        Decode(servicereply::ReplyDocument(servicereply::ReplyText(ServiceStatus::Ok, inert)));
    EXPECT_EQ(decoded.rm, inert) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Texts, InertTest,
                         testing::Values(InertCase{"plain", "Anna Marie", "Anna Marie"},
                                         InertCase{"non-ASCII kept", "Zoë Łukasz", "Zoë Łukasz"},
                                         InertCase{"tags dropped", "<b>Bo</b>", "bBo/b"},
                                         InertCase{"closing rm dropped", "x</rm>y", "x/rmy"},
                                         InertCase{"entity that decodes to a bracket", "a&lt;/rm&gt;b",
                                                   "alt;/rmgt;b"},
                                         InertCase{"entity formed by dropping", "&&lt;", "lt;"},
                                         InertCase{"ordinary ampersand kept", "AT&T &amp;", "AT&T &amp;"},
                                         InertCase{"line breaks dropped", "a\r\nb\tc", "abc"}));

} // namespace
