// Folder listings by Windows-form pattern: order, dots, hidden entries, patterns, plain names.
#include "platform/fs/CFileFind.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/ScratchPrefix.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path, const std::string& text = "")
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> ReaddirOrder(const fs::path& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = readdir(dir))
        names.push_back(entry->d_name);
    closedir(dir);
    return names;
}

std::vector<std::string> Listed(const std::string& pattern)
{
    std::vector<std::string> names;
    CFileFind finder;
    for (bool more = finder.FindFile(pattern); more;) {
        more = finder.FindNextFile();
        names.push_back(finder.GetFileName());
    }
    return names;
}

class CFileFindTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        apps = prefix.DriveC() / "Apps";
        fs::create_directories(apps / "Velmora");
        fs::create_directories(apps / "Empty");
        Touch(apps / "Velmora" / "Velmora.exe", "MZ");
        Touch(apps / ".secret");
        Touch(apps / "A.WAV", "12345");
        Touch(apps / "b.wave");
        Touch(apps / "c.wav");
        fs::create_directory_symlink(apps / "Velmora", apps / "LinkToVelmora");
        fs::create_symlink(apps / "nowhere", apps / "Dangling");
    }

    ScratchPrefix prefix;
    fs::path apps;
};

} // namespace

TEST_F(CFileFindTest, ListsEveryEntryInTheFileSystemsOrderWithDotsAndHiddenOnes)
{
    const std::vector<std::string> expected = ReaddirOrder(apps);
    EXPECT_EQ(Listed("C:\\Apps\\*.*"), expected);
    EXPECT_EQ(Listed("c:\\APPS\\*"), expected);
    EXPECT_EQ(expected.size(), 10u);
}

TEST_F(CFileFindTest, ReportsPathsFoldersAndDotsOfEachEntry)
{
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile("C:\\Apps\\*.*"));
    int seen = 0;
    for (bool more = true; more;) {
        more = finder.FindNextFile();
        const std::string name = finder.GetFileName();
        EXPECT_EQ(finder.GetFilePath(), "C:\\Apps\\" + name);
        EXPECT_EQ(finder.GetRoot(), "C:\\Apps\\");
        const bool dots = name == "." || name == "..";
        EXPECT_EQ(finder.IsDots(), dots) << name;
        const bool folder = dots || name == "Velmora" || name == "Empty" || name == "LinkToVelmora";
        EXPECT_EQ(finder.IsDirectory(), folder) << name;
        EXPECT_EQ(finder.IsHidden(), name == ".secret") << name;
        if (name == "A.WAV") {
            EXPECT_EQ(finder.GetLength(), 5u);
        }
        ++seen;
    }
    EXPECT_EQ(seen, 10);
    // The last entry stays current after the final FindNextFile.
    EXPECT_FALSE(finder.GetFileName().empty());
    EXPECT_FALSE(finder.FindNextFile());
}

TEST_F(CFileFindTest, WildcardsMatchLettersInEitherCase)
{
    auto sorted = [](std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(Listed("C:\\Apps\\*.wav")), (std::vector<std::string>{"A.WAV", "c.wav"}));
    EXPECT_EQ(sorted(Listed("C:\\Apps\\?.WAV*")), (std::vector<std::string>{"A.WAV", "b.wave", "c.wav"}));
    EXPECT_EQ(sorted(Listed("C:\\Apps\\*ora")), (std::vector<std::string>{"LinkToVelmora", "Velmora"}));
    EXPECT_TRUE(Listed("C:\\Apps\\*.exe").empty());
}

TEST_F(CFileFindTest, PlainNameFindsTheOneEntryUnderItsRealName)
{
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile("C:\\apps\\velmora\\VELMORA.EXE"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), "Velmora.exe");
    EXPECT_FALSE(finder.IsDirectory());
    EXPECT_TRUE(finder.FindFile("C:\\Apps\\Velmora"));
    finder.FindNextFile();
    EXPECT_TRUE(finder.IsDirectory());
    EXPECT_TRUE(finder.FindFile("C:\\Apps\\Dangling")); // the link itself is there
    EXPECT_FALSE(finder.FindFile("C:\\Apps\\Velmora\\Missing.exe"));
    EXPECT_FALSE(finder.FindFile("Q:\\anything"));
}

TEST_F(CFileFindTest, FoldersThatCannotBeListedFindNothing)
{
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile("C:\\Nowhere\\*.*"));
    EXPECT_FALSE(finder.FindFile("C:\\Apps\\A.WAV\\*.*")); // a file, not a folder
    EXPECT_FALSE(finder.FindFile("C:\\Apps\\Empty\\*.exe"));
    EXPECT_FALSE(finder.FindFile("C:\\Apps\\"));
}

TEST_F(CFileFindTest, ALinkAndItsTargetShareOneIdentity)
{
    CFileFind finder;
    CFileFind::Identity link, target, other;
    ASSERT_TRUE(finder.FindFile("C:\\Apps\\LinkToVelmora"));
    finder.FindNextFile();
    ASSERT_TRUE(finder.GetIdentity(link));
    ASSERT_TRUE(finder.FindFile("C:\\Apps\\Velmora"));
    finder.FindNextFile();
    ASSERT_TRUE(finder.GetIdentity(target));
    ASSERT_TRUE(finder.FindFile("C:\\Apps\\Empty"));
    finder.FindNextFile();
    ASSERT_TRUE(finder.GetIdentity(other));
    EXPECT_EQ(link, target);
    EXPECT_FALSE(link == other);
    ASSERT_TRUE(finder.FindFile("C:\\Apps\\Dangling"));
    finder.FindNextFile();
    EXPECT_FALSE(finder.GetIdentity(other));
}
