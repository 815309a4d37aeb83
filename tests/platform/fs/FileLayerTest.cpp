// The file layer through its own API only, the same on both builds: listings, identities, attributes,
// copies, moves, temporary files and the executable's own path.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/fs/CFile.h"
#include "platform/fs/CFileFind.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ModulePath.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ScratchDir.h"

namespace {

std::string Win(const std::filesystem::path& p)
{
    return winpath::ToWindows(p);
}

void Write(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Listed
{
    std::string name;
    std::string path;
    bool directory;
    std::uint64_t length;
};

std::vector<Listed> List(const std::string& pattern)
{
    std::vector<Listed> entries;
    CFileFind finder;
    for (bool more = finder.FindFile(pattern); more;) {
        more = finder.FindNextFile();
        entries.push_back(
            {finder.GetFileName(), finder.GetFilePath(), finder.IsDirectory(), finder.GetLength()});
    }
    return entries;
}

const Listed* Find(const std::vector<Listed>& entries, const std::string& name)
{
    const auto it =
        std::find_if(entries.begin(), entries.end(), [&](const Listed& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

} // namespace

TEST(FileLayer, ListingGivesDotsFilesAndFoldersWithPathsAndLengths)
{
    ScratchDir dir("layerlist");
    Write(dir / "Name1.wav", "12345");
    Write(dir / "other.txt", "x");
    std::filesystem::create_directory(dir / "Sub");
    const std::string root = Win(dir.Path());

    const std::vector<Listed> all = List(root + "\\*.*");
    ASSERT_EQ(all.size(), 5u);
    ASSERT_NE(Find(all, "."), nullptr);
    ASSERT_NE(Find(all, ".."), nullptr);
    EXPECT_TRUE(Find(all, ".")->directory);
    ASSERT_NE(Find(all, "Sub"), nullptr);
    EXPECT_TRUE(Find(all, "Sub")->directory);
    ASSERT_NE(Find(all, "Name1.wav"), nullptr);
    EXPECT_FALSE(Find(all, "Name1.wav")->directory);
    EXPECT_EQ(Find(all, "Name1.wav")->length, 5u);
    EXPECT_EQ(Find(all, "Name1.wav")->path, root + "\\Name1.wav");

    const std::vector<Listed> wav = List(root + "\\*.WAV");
    ASSERT_EQ(wav.size(), 1u) << "wildcards match letters in either case";
    EXPECT_EQ(wav[0].name, "Name1.wav");
    EXPECT_TRUE(List(root + "\\*.zip").empty());
    EXPECT_TRUE(List(root + "\\Missing\\*.*").empty());

    const std::vector<Listed> plain = List(root + "\\other.txt");
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].path, root + "\\other.txt");
}

TEST(FileLayer, AFolderReachedTwiceHasOneIdentityAndOthersDiffer)
{
    ScratchDir dir("layerid");
    std::filesystem::create_directories(dir / "A" / "Inner");
    std::filesystem::create_directory(dir / "B");
    const std::string root = Win(dir.Path());

    auto identityOf = [](const std::string& pattern, const std::string& name) {
        CFileFind finder;
        CFileFind::Identity identity;
        for (bool more = finder.FindFile(pattern); more;) {
            more = finder.FindNextFile();
            if (finder.GetFileName() == name) {
                EXPECT_TRUE(finder.GetIdentity(identity)) << pattern;
                return identity;
            }
        }
        ADD_FAILURE() << name << " not listed by " << pattern;
        return identity;
    };
    const CFileFind::Identity a = identityOf(root + "\\*.*", "A");
    EXPECT_EQ(identityOf(root + "\\A", "A"), a) << "the plain name finds the same folder";
    EXPECT_EQ(identityOf(root + "\\A\\Inner\\*.*", ".."), a) << "the inner folder's parent is A";
    EXPECT_FALSE(identityOf(root + "\\*.*", "B") == a);
}

// Regression: the Windows SDK spells DeleteFile, CopyFile and their kin as macros for its A functions, so
// the layer's functions were overloads of the SDK's and a call with a string literal went to the system,
// past the layer. Each name must name the layer's one function (an overload set has no address).
TEST(FileLayer, SdkMacroNamesReachTheLayerNotTheSystem)
{
    static_assert(std::is_same_v<decltype(&DeleteFile), bool (*)(const std::string&)>);
    static_assert(
        std::is_same_v<decltype(&CopyFile), bool (*)(const std::string&, const std::string&, bool)>);
    static_assert(std::is_same_v<decltype(&GetFileAttributes), uint32_t (*)(const std::string&)>);
    static_assert(std::is_same_v<decltype(&SetFileAttributes), bool (*)(const std::string&, uint32_t)>);
    static_assert(std::is_same_v<decltype(&CreateDirectory), bool (*)(const std::string&)>);
    static_assert(std::is_same_v<decltype(&RemoveDirectory), bool (*)(const std::string&)>);
}

TEST(FileLayer, AttributesReadOnlyAndFolders)
{
    ScratchDir dir("layerattr");
    Write(dir / "f.wav", "data");
    std::filesystem::create_directory(dir / "folder");
    const std::string file = Win(dir / "f.wav");

    EXPECT_EQ(GetFileAttributes(Win(dir / "missing")), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(GetFileAttributes(Win(dir / "folder")) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(GetFileAttributes(file) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(GetFileAttributes(file) & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributes(file, FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(GetFileAttributes(file) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CopyFile(Win(dir / "folder"), file, false)) << "a folder is no source";
    ASSERT_TRUE(SetFileAttributes(file, 0));
    EXPECT_FALSE(GetFileAttributes(file) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SetFileAttributes(Win(dir / "missing"), 0));
}

TEST(FileLayer, FoldersFilesCopiesAndTimes)
{
    ScratchDir dir("layerops");
    const std::string folder = Win(dir / "New");
    EXPECT_TRUE(CreateDirectory(folder));
    EXPECT_FALSE(CreateDirectory(folder)) << "it exists";
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_FALSE(FolderExists(Win(dir / "missing")));

    Write(dir / "New" / "a.wav", "abcdef");
    const std::string a = Win(dir / "New" / "a.wav");
    EXPECT_TRUE(FileExists(a));
    EXPECT_FALSE(FolderExists(a));
    uint64_t size = 0;
    ASSERT_TRUE(GetFileSize(a, size));
    EXPECT_EQ(size, 6u);
    EXPECT_FALSE(GetFileSize(Win(dir / "missing"), size));
    EXPECT_FALSE(RemoveDirectory(folder)) << "not empty";

    const std::time_t stamp = 1500000000;
    ASSERT_TRUE(SetFileTimes(a, stamp));
    std::time_t modified = 0;
    ASSERT_TRUE(GetFileModificationTime(a, modified));
    EXPECT_EQ(modified, stamp);

    const std::string b = Win(dir / "b.wav");
    ASSERT_TRUE(CopyFile(a, b, true));
    EXPECT_EQ(Read(dir / "b.wav"), "abcdef");
    ASSERT_TRUE(GetFileModificationTime(b, modified));
    EXPECT_EQ(modified, stamp) << "a copy keeps the modification time";
    Write(dir / "b.wav", "changed");
    EXPECT_FALSE(CopyFile(a, b, true)) << "fail if exists";
    EXPECT_EQ(Read(dir / "b.wav"), "changed");
    EXPECT_TRUE(CopyFile(a, b, false));
    EXPECT_EQ(Read(dir / "b.wav"), "abcdef");

    EXPECT_FALSE(DeleteFile(folder)) << "a folder is not deleted as a file";
    EXPECT_TRUE(DeleteFile(a));
    EXPECT_FALSE(DeleteFile(a));
    EXPECT_TRUE(RemoveDirectory(folder));
    EXPECT_FALSE(FileExists(folder));
}

TEST(FileLayer, TemporaryFilesLandBesideTheTargetAndMoveOverIt)
{
    ScratchDir dir("layertemp");
    Write(dir / "target.zip", "old");
    const std::string target = Win(dir / "target.zip");
    CTempFile first, second;
    ASSERT_TRUE(first.Create(target));
    ASSERT_TRUE(second.Create(target));
    EXPECT_NE(first.GetPath(), second.GetPath());
    EXPECT_EQ(winpath::ToHost(first.GetPath()).parent_path(), winpath::ToHost(target).parent_path());
    EXPECT_TRUE(FileExists(first.GetPath()));
    const std::string firstPath = first.GetPath();
    Write(winpath::ToHost(firstPath), "new");
    ASSERT_TRUE(first.MoveIntoPlace());
    EXPECT_EQ(Read(dir / "target.zip"), "new");
    EXPECT_FALSE(FileExists(firstPath));
    EXPECT_TRUE(IsSameFile(target, Win(dir / "TARGET.ZIP"))) << "names differ only in case";
    EXPECT_FALSE(IsSameFile(target, second.GetPath()));
    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(MoveFileReplacing(second.GetPath(), Win(dir / "folder"))) << "a folder is never replaced";
}

TEST(FileLayer, StaleTemporariesGoHeldOnesAndOthersStay)
{
    ScratchDir dir("layerstale");
    const std::string target = Win(dir / "VMRNames.zip");
    CTempFile held;
    ASSERT_TRUE(held.Create(target));
    Write(dir / ".VMRNames.zip.~abc123", "left by a killed run");
    Write(dir / ".Other.zip.~abc123", "another target's");
    Write(dir / "VMRNames.zip", "the archive");
    EXPECT_EQ(RemoveStaleTempFiles({target}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / ".VMRNames.zip.~abc123"));
    EXPECT_TRUE(FileExists(held.GetPath())) << "a temporary in use stays";
    EXPECT_TRUE(std::filesystem::exists(dir / ".Other.zip.~abc123"));
    EXPECT_EQ(Read(dir / "VMRNames.zip"), "the archive");
}

// Windows refuses CREATE_ALWAYS with normal attributes on an existing hidden file; every temporary is
// hidden and the staged entries and downloads rewrite theirs by name.
TEST(FileLayer, HiddenTemporaryRewrittenByNameStaysHiddenAndTakesItsMarksOnlyInPlace)
{
    ScratchDir dir("layerhidden");
    const std::string target = Win(dir / "Anna.wav");
    CTempFile temp;
    ASSERT_TRUE(temp.Create(target));
    {
        CFile file(temp.GetPath(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
        file.Write("anna", 4);
    }
    EXPECT_TRUE(GetFileAttributes(temp.GetPath()) & FILE_ATTRIBUTE_HIDDEN);
    temp.SetPlacedAttributes(FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(GetFileAttributes(temp.GetPath()) & FILE_ATTRIBUTE_READONLY) << "marked before the move";
    ASSERT_TRUE(temp.MoveIntoPlace());
    EXPECT_EQ(Read(dir / "Anna.wav"), "anna");
    EXPECT_EQ(GetFileAttributes(target) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              FILE_ATTRIBUTE_READONLY);
}

// A later refusal put back every file already replaced; the refused target is named.
TEST(FileLayer, MovesIntoPlaceAreAllOrNothing)
{
    ScratchDir dir("layermoves");
    Write(dir / "Anna.wav", "old anna");
    std::filesystem::create_directory(dir / "Anna^.wav"); // a folder is never replaced: the refusal
    std::vector<CTempFile> files(3);
    const std::string targets[] = {Win(dir / "Anna.wav"), Win(dir / "Bob.wav"), Win(dir / "Anna^.wav")};
    for (size_t i = 0; i < files.size(); ++i) {
        ASSERT_TRUE(files[i].Create(targets[i]));
        Write(winpath::ToHost(files[i].GetPath()), "new " + std::to_string(i));
    }
    try {
        CTempFile::MoveAllIntoPlace(files);
        ADD_FAILURE() << "a folder was replaced";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_strFileName, targets[2]);
        EXPECT_NE(e.m_cause, CFileException::none);
    }
    EXPECT_EQ(Read(dir / "Anna.wav"), "old anna");
    EXPECT_FALSE(FileExists(targets[1])) << "a file that was not there before is gone again";
    EXPECT_TRUE(files[2].IsCreated()) << "the refused temporary is still ours";

    size_t left = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(dir.Path()))
        ++left;
    EXPECT_EQ(left, 3u) << "the old file, the folder and the refused temporary; nothing kept or moved";

    std::filesystem::remove(dir / "Anna^.wav");
    for (size_t i = 0; i < files.size(); ++i) {
        ASSERT_TRUE(files[i].Create(targets[i]));
        Write(winpath::ToHost(files[i].GetPath()), "new " + std::to_string(i));
    }
    CTempFile::MoveAllIntoPlace(files);
    EXPECT_EQ(Read(dir / "Anna.wav"), "new 0");
    EXPECT_EQ(Read(dir / "Bob.wav"), "new 1");
    EXPECT_EQ(Read(dir / "Anna^.wav"), "new 2");
    left = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(dir.Path()))
        ++left;
    EXPECT_EQ(left, 3u) << "no kept copy or temporary stays";
}

// Failures are described by the system that failed (errno after a Win32 call said "no error occurred").
TEST(FileLayer, FailuresCarryTheCauseTheSystemGave)
{
    ScratchDir dir("layercause");
    struct Case
    {
        const char* what;
        std::function<bool()> fails;
        std::string file;
        int cause;
    };
    std::filesystem::create_directory(dir / "folder");
    CTempFile temp;
    const Case cases[] = {
        {"a temporary in a missing folder", [&] { return temp.Create(Win(dir / "missing" / "x.wav")); },
         Win(dir / "missing" / "x.wav"), CFileException::fileNotFound},
        {"a move over a folder", [&] { return temp.Create(Win(dir / "folder")) && temp.MoveIntoPlace(); },
         Win(dir / "folder"), CFileException::accessDenied},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.fails()) << c.what;
        const CFileException e = CFileException::FromLastOsError(c.file);
        EXPECT_EQ(e.m_cause, c.cause) << c.what << ": " << e.GetErrorMessage();
        EXPECT_EQ(e.GetErrorMessage().find("no error occurred"), std::string::npos) << c.what;
        EXPECT_NE(e.GetErrorMessage().find(c.file), std::string::npos) << c.what;
    }
}

TEST(FileLayer, ModuleFileNameIsTheRunningTestProgram)
{
    const std::string self = ModuleFileName();
    ASSERT_FALSE(self.empty());
    EXPECT_NE(self.find("platform_fs_tests"), std::string::npos) << self;
    EXPECT_EQ(self.find('/'), std::string::npos) << "Windows form: " << self;
    EXPECT_EQ(self[1], ':') << self;
    EXPECT_TRUE(FileExists(self));
}
