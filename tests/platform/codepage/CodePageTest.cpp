// ANSI (UTF-8 here) <-> CP437 conversion: exact where CP437 has the character, refused where not.
#include <gtest/gtest.h>

#include "platform/codepage/CodePage.h"

struct OemCase
{
    const char* ansi;
    const char* oem;
};

class CodePageOem : public ::testing::TestWithParam<OemCase>
{
};

TEST_P(CodePageOem, ConvertsBothWays)
{
    std::string oem, back;
    ASSERT_TRUE(codepage::AnsiToOem(GetParam().ansi, oem));
    EXPECT_EQ(oem, GetParam().oem);
    ASSERT_TRUE(codepage::OemToAnsi(oem, back));
    EXPECT_EQ(back, GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(Texts, CodePageOem,
                         ::testing::Values(OemCase{"plain ascii\\path.wav", "plain ascii\\path.wav"},
                                           OemCase{"K\xc3\xa4se", "K\x84se"},
                                           OemCase{"\xc3\xa9t\xc3\xa9", "\x82t\x82"},
                                           OemCase{"\xc3\x9f", "\xe1"}, OemCase{"\xc2\xa3", "\x9c"},
                                           OemCase{"", ""}));

TEST(CodePage, CharactersOutsideCp437AreRefusedNotReplaced)
{
    std::string out = "untouched";
    EXPECT_FALSE(codepage::AnsiToOem("\xe6\x97\xa5\xe6\x9c\xac", out));
    EXPECT_FALSE(codepage::AnsiToOem("a\xe2\x82\xac", out)) << "the euro sign";
    EXPECT_FALSE(codepage::AnsiToOem("bad \xff utf-8", out));
    EXPECT_EQ(out, "untouched");
}

TEST(CodePage, EveryOemByteHasAnAnsiForm)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    std::string ansi, back;
    ASSERT_TRUE(codepage::OemToAnsi(all, ansi));
    ASSERT_TRUE(codepage::AnsiToOem(ansi, back));
    EXPECT_EQ(back, all);
}

TEST(CodePage, Utf8PassesThroughAUtf8Locale)
{
    EXPECT_EQ(codepage::AnsiCharset(), "UTF-8");
    std::string out;
    ASSERT_TRUE(codepage::AnsiToUtf8("\xe6\x97\xa5", out));
    EXPECT_EQ(out, "\xe6\x97\xa5");
    ASSERT_TRUE(codepage::Utf8ToAnsi("\xc3\xa4", out));
    EXPECT_EQ(out, "\xc3\xa4");
}
