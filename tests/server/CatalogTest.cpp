// The catalogue folder: which names count, their order, and lookups of packages.
#include "server/CCatalog.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/ScratchDir.h"

namespace {

void Touch(const std::filesystem::path& path)
{
    std::ofstream(path, std::ios::binary) << "PK";
}

struct NameCase
{
    const char* label;
    std::string name;
    bool valid;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.label;
}

class CatalogNameTest : public testing::TestWithParam<NameCase>
{
};

TEST_P(CatalogNameTest, AcceptsOnlyNamesUsableOnTheClient)
{
    const NameCase& c = GetParam();
    std::string why;
    EXPECT_EQ(CCatalog::IsValidName(c.name, &why), c.valid) << c.label;
    EXPECT_EQ(why.empty(), c.valid) << c.label << ": " << why;
}

INSTANTIATE_TEST_SUITE_P(
    Names, CatalogNameTest,
    testing::Values(NameCase{"plain", "Anna", true}, NameCase{"blank inside", "Anne Marie", true},
                    NameCase{"non-ASCII", "Zoë", true},
                    NameCase{"apostrophe and hyphen", "O'Neil-Smith", true},
                    NameCase{"ampersand", "Tom & Jerry", true}, NameCase{"caret", "Jo^", true},
                    NameCase{"200 bytes", std::string(200, 'a'), true}, NameCase{"empty", "", false},
                    NameCase{"201 bytes", std::string(201, 'a'), false}, NameCase{"slash", "a/b", false},
                    NameCase{"backslash", "a\\b", false}, NameCase{"dot dot", "..", false},
                    NameCase{"leading dot", ".hidden", false}, NameCase{"trailing dot", "Anna.", false},
                    NameCase{"leading blank", " Anna", false}, NameCase{"trailing blank", "Anna ", false},
                    NameCase{"angle bracket", "a<b", false}, NameCase{"colon", "c:x", false},
                    NameCase{"question mark", "who?", false}, NameCase{"star", "a*", false},
                    NameCase{"quote", "say \"hi\"", false}, NameCase{"pipe", "a|b", false},
                    NameCase{"control", std::string("a\x01") + "b", false},
                    NameCase{"newline", "a\nb", false}, NameCase{"entity of a bracket", "a&lt;b", false},
                    NameCase{"device name", "con", false}, NameCase{"numbered device", "LPT3", false},
                    NameCase{"device-like but longer", "Console", true},
                    NameCase{"invalid UTF-8", std::string("Zo\xeb"), false},
                    NameCase{"overlong UTF-8", std::string("\xc0\xaf"), false},
                    NameCase{"UTF-16 surrogate", std::string("\xed\xa0\x80"), false}));

TEST(CatalogTest, ListsValidPackagesInByteOrderAndIgnoresTheRest)
{
    ScratchDir dir("catalog");
    for (const char* file : {"bob.zip", "Anna.zip", "anna.zip", "Zoë.zip", "Carl.zip", ".tmp-x.zip",
                             "notes.txt", "Anna.ZIP", "a<b.zip", ".zip"})
        Touch(dir / file);
    std::filesystem::create_directory(dir / "Folder.zip");
    const auto names = CCatalog(dir.Path()).Names();
    EXPECT_EQ(*names, (CCatalog::NameList{"Anna", "Carl", "Zoë", "anna", "bob"}));
}

TEST(CatalogTest, NewPackageShowsUpWithoutRestart)
{
    ScratchDir dir("catalog");
    Touch(dir / "Anna.zip");
    CCatalog catalog(dir.Path());
    ASSERT_EQ(catalog.Names()->size(), 1u);
    Touch(dir / "Bob.zip");
    EXPECT_EQ(*catalog.Names(), (CCatalog::NameList{"Anna", "Bob"}));
    std::filesystem::remove(dir / "Anna.zip");
    EXPECT_EQ(*catalog.Names(), (CCatalog::NameList{"Bob"}));
}

TEST(CatalogTest, MissingFolderIsAnEmptyCatalogue)
{
    ScratchDir dir("catalog");
    CCatalog catalog(dir / "absent");
    EXPECT_TRUE(catalog.Names()->empty());
    EXPECT_TRUE(catalog.FindPackage("Anna").empty());
}

TEST(CatalogTest, FindsOnlyExistingPackagesOfValidNames)
{
    ScratchDir dir("catalog");
    Touch(dir / "Anna Marie.zip");
    std::filesystem::create_directory(dir / "sub");
    Touch(dir / "sub" / "x.zip");
    Touch(dir.Path().parent_path() / (dir.Path().filename().string() + "-outside.zip"));
    CCatalog catalog(dir.Path());
    EXPECT_EQ(catalog.FindPackage("Anna Marie"), dir / "Anna Marie.zip");
    EXPECT_TRUE(catalog.FindPackage("anna marie").empty());
    EXPECT_TRUE(catalog.FindPackage("sub/x").empty());
    EXPECT_TRUE(catalog.FindPackage("../" + dir.Path().filename().string() + "-outside").empty());
    std::filesystem::remove(dir.Path().parent_path() / (dir.Path().filename().string() + "-outside.zip"));
}

} // namespace
