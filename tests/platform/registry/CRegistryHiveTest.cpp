// Reading Wine's registry text format: sections, value kinds, escapes, continuation lines.
#include "platform/registry/linux/CRegistryHive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kHive = R"(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win64

[Software\\Olvastine\\Velmora] 1700000000
#time=1da3c4e5f6a7b8c
"InstallPath"="C:\\Program Files\\Velmora"
"Quoted"="say \"hi\"\tnow\n"
"Accent"="caf\x00e9 \x20ac"
"Raw"="café"
"Count"=dword:0000002a
"Blob"=hex:01,02,ff
"Expand"=str(2):"%SystemRoot%\\x"
"Wide"=hex(2):41,00,42,00,00,00
"Long"=hex:00,01,02,\
  03,04,\
  05
@="the default"

[Software\\Other] 1700000000
"Name"="other"
"name"="later wins"
)";

std::string Text(const CRegistryHive::Value* value)
{
    if (!value)
        return "<missing>";
    return std::string(value->data.begin(), value->data.end());
}

} // namespace

TEST(CRegistryHive, ReadsEveryValueKindWithItsTypeAndBytes)
{
    const CRegistryHive hive = CRegistryHive::Parse(kHive);
    const CRegistryHive::Key* key = hive.FindKey("Software\\Olvastine\\Velmora");
    ASSERT_NE(key, nullptr);

    struct Row
    {
        const char* name;
        std::uint32_t type;
        std::vector<unsigned char> bytes;
    };
    auto str = [](const std::string& s) {
        std::vector<unsigned char> v(s.begin(), s.end());
        v.push_back(0);
        return v;
    };
    const Row rows[] = {
        {"InstallPath", 1, str("C:\\Program Files\\Velmora")},
        {"Quoted", 1, str("say \"hi\"\tnow\n")},
        {"Accent", 1, str("caf\xC3\xA9 \xE2\x82\xAC")},
        {"Raw", 1, str("caf\xC3\xA9")},
        {"Count", 4, {0x2a, 0, 0, 0}},
        {"Blob", 3, {1, 2, 0xff}},
        {"Expand", 2, str("%SystemRoot%\\x")},
        {"Wide", 2, str("AB")},
        {"Long", 3, {0, 1, 2, 3, 4, 5}},
        {"", 1, str("the default")},
    };
    for (const Row& row : rows) {
        const CRegistryHive::Value* value = CRegistryHive::FindValue(*key, row.name);
        ASSERT_NE(value, nullptr) << row.name;
        EXPECT_EQ(value->type, row.type) << row.name;
        EXPECT_EQ(value->data, row.bytes) << row.name;
    }
}

TEST(CRegistryHive, KeyAndValueNamesIgnoreCaseAndKeysAboveSectionsExist)
{
    const CRegistryHive hive = CRegistryHive::Parse(kHive);
    const CRegistryHive::Key* key = hive.FindKey("SOFTWARE\\olvastine\\VELMORA\\");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(Text(CRegistryHive::FindValue(*key, "installpath")),
              std::string("C:\\Program Files\\Velmora") + '\0');
    EXPECT_NE(hive.FindKey("software"), nullptr);
    EXPECT_NE(hive.FindKey("Software\\Olvastine"), nullptr);
    EXPECT_NE(hive.FindKey(""), nullptr);
    EXPECT_EQ(hive.FindKey("Software\\Olvastine\\Velmora\\Sub"), nullptr);
    EXPECT_EQ(hive.FindKey("Software\\Olvast"), nullptr);

    const CRegistryHive::Key* other = hive.FindKey("software\\other");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->values.size(), 1u);
    EXPECT_EQ(Text(CRegistryHive::FindValue(*other, "NAME")), std::string("later wins") + '\0');
}

TEST(CRegistryHive, BrokenLinesAreSkippedAndTheRestIsRead)
{
    const CRegistryHive hive = CRegistryHive::Parse("WINE REGISTRY Version 2\r\n"
                                                    "\"Orphan\"=\"before any section\"\r\n"
                                                    "[Broken\\\\Section\r\n"
                                                    "\"InBroken\"=\"x\"\r\n"
                                                    "[Good] 0\r\n"
                                                    "\"Unterminated\"=\"abc\r\n"
                                                    "\"BadDword\"=dword:zz\r\n"
                                                    "\"BadHex\"=hex:0g\r\n"
                                                    "\"NoEquals\" \"x\"\r\n"
                                                    "\"Fine\"=\"yes\"\r\n");
    EXPECT_EQ(hive.FindKey("Broken\\Section"), nullptr);
    const CRegistryHive::Key* good = hive.FindKey("Good");
    ASSERT_NE(good, nullptr);
    ASSERT_EQ(good->values.size(), 1u);
    EXPECT_EQ(good->values[0].name, "Fine");
    EXPECT_EQ(Text(&good->values[0]), std::string("yes") + '\0');
}

TEST(CRegistryHive, TextWithoutTheFormatLineIsAnEmptyHive)
{
    EXPECT_EQ(CRegistryHive::Parse("REGEDIT4\n[Software\\\\X]\n\"a\"=\"b\"\n").KeyCount(), 0u);
    EXPECT_EQ(CRegistryHive::Parse("").KeyCount(), 0u);
    EXPECT_EQ(CRegistryHive::Parse("\n\nWINE REGISTRY Version 2\n[A]\n").KeyCount(), 2u); // root and A
}
