// List files as editors write them: byte-order marks, CR LF, comments, blanks, duplicates, other encodings.
#include <gtest/gtest.h>

#include "cli/NameListFile.h"

namespace {

struct ListCase
{
    const char* label;
    std::string bytes;
    std::vector<std::string> names;
    const char* error;
};

class NameLists : public testing::TestWithParam<ListCase>
{
};

TEST_P(NameLists, GiveTheirNamesOnceOrSayWhyNot)
{
    std::string error;
    const auto names = cli::ParseNameList(GetParam().bytes, error);
    if (GetParam().error) {
        EXPECT_FALSE(names.has_value());
        EXPECT_EQ(error, GetParam().error);
    } else {
        ASSERT_TRUE(names.has_value()) << error;
        EXPECT_EQ(*names, GetParam().names);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, NameLists,
    testing::Values(
        ListCase{"Plain", "Zoë\nŁukasz\n李小龍", {"Zoë", "Łukasz", "李小龍"}, nullptr},
        ListCase{"WindowsEditor", "\xEF\xBB\xBFZoë\r\nAnne Marie\r\n", {"Zoë", "Anne Marie"}, nullptr},
        ListCase{"CommentsBlanksAndDuplicates",
                 "# class 4b\n\n  Zoë \n\t\nZoë\n#Anna\nAnna\n",
                 {"Zoë", "Anna"},
                 nullptr},
        ListCase{"Empty", "", {}, nullptr},
        ListCase{"Utf16", std::string("\xFF\xFEZ\0o\0", 6), {}, "the list is UTF-16 text; save it as UTF-8"},
        ListCase{"Latin1", "Zo\xEB\n", {}, "the list is not UTF-8 text"}),
    [](const testing::TestParamInfo<ListCase>& cases) { return cases.param.label; });

} // namespace
