// ANSI (UTF-8 here) <-> CP437 conversion: exact where CP437 has the character, refused where not.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

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

struct Utf8Case
{
    const char* label;
    std::string text;
    bool valid;
};

// The label, not the bytes, in test listings.
inline void PrintTo(const Utf8Case& row, std::ostream* out)
{
    *out << row.label;
}

class CodePageUtf8 : public ::testing::TestWithParam<Utf8Case>
{
};

TEST_P(CodePageUtf8, WellFormedOrNot)
{
    EXPECT_EQ(codepage::IsUtf8(GetParam().text), GetParam().valid) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageUtf8,
    ::testing::Values(
        Utf8Case{"empty", "", true}, Utf8Case{"ascii", "Anne Marie^.wav", true},
        Utf8Case{"two bytes", "Zo\xc3\xab", true}, Utf8Case{"three bytes", "\xe6\x9d\x8e", true},
        Utf8Case{"four bytes", "\xf0\x9f\x8e\xb5", true},
        Utf8Case{"last code point", "\xf4\x8f\xbf\xbf", true},
        Utf8Case{"last before the surrogates", "\xed\x9f\xbf", true},
        Utf8Case{"embedded nul", std::string("a\0b", 3), true}, Utf8Case{"latin-1 byte", "caf\xe9", false},
        Utf8Case{"stray continuation", "\x80", false}, Utf8Case{"cut short", "Zo\xc3", false},
        Utf8Case{"cut short in three", "\xe6\x9d", false}, Utf8Case{"overlong slash", "a\xc0\xaf", false},
        Utf8Case{"overlong in three bytes", "\xe0\x80\xaf", false},
        Utf8Case{"overlong in four bytes", "\xf0\x80\x80\xaf", false},
        Utf8Case{"surrogate", "\xed\xa0\x80", false}, Utf8Case{"past U+10FFFF", "\xf4\x90\x80\x80", false},
        Utf8Case{"lead F5", "\xf5\x80\x80\x80", false}, Utf8Case{"byte FF", "\xff", false},
        Utf8Case{"second continuation missing", "\xe6\x41\x8e", false},
        Utf8Case{"third continuation missing", "\xf0\x9f\x8e\x41", false}),
    [](const ::testing::TestParamInfo<Utf8Case>& row) {
        std::string name;
        for (const char* p = row.param.label; *p != '\0'; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

// CP437 is one fixed page: under a system OEM page of 866 byte 0x89 is still e-diaeresis, not Cyrillic.
TEST(CodePage, Cp437IsReadAsCp437WhateverTheOemPage)
{
    std::string out;
    ASSERT_TRUE(codepage::Cp437ToAnsi("Zo\x89 \x8f\xff", out));
    EXPECT_EQ(out, "Zo\xc3\xab \xc3\x85\xc2\xa0");
    std::string all;
    for (int c = 0x80; c < 256; ++c)
        all += static_cast<char>(c);
    ASSERT_TRUE(codepage::Cp437ToAnsi(all, out));
    EXPECT_TRUE(codepage::IsUtf8(out));
    size_t characters = 0;
    for (unsigned char c : out)
        characters += (c & 0xC0) != 0x80;
    EXPECT_EQ(characters, 128u) << "one character for every byte";
}
