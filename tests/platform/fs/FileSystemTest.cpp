// File-system helpers: attributes and times as on a Wine drive, existence, folders, copy, delete, move.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

#include "platform/fs/FileSystem.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ScratchDir.h"

namespace {

std::string Win(const std::filesystem::path& p)
{
    return winpath::ToWindows(p);
}

void Write(const std::filesystem::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

std::string Read(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(FileSystem, AttributesMapReadOnlyHiddenFolderAndArchive)
{
    ScratchDir dir("fsattr");
    Write(dir / "plain.txt", "x");
    Write(dir / ".dotted", "x");
    std::filesystem::create_directory(dir / "sub");
    EXPECT_EQ(GetFileAttributes(Win(dir / "plain.txt")), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributes(Win(dir / ".dotted")), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFileAttributes(Win(dir / "sub")), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(Win(dir / "none")), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(SetFileAttributes(Win(dir / "plain.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    struct stat st;
    ASSERT_EQ(::stat((dir / "plain.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);
    EXPECT_TRUE(GetFileAttributes(Win(dir / "plain.txt")) & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributes(Win(dir / "plain.txt"), FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_EQ(::stat((dir / "plain.txt").c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u) << "writable again";
    EXPECT_FALSE(SetFileAttributes(Win(dir / "none"), 0));
}

TEST(FileSystem, ModificationTimesAreSetAndRead)
{
    ScratchDir dir("fstime");
    Write(dir / "f", "x");
    const std::time_t when = 1234567890;
    ASSERT_TRUE(SetFileTimes(Win(dir / "f"), when));
    std::time_t got = 0;
    ASSERT_TRUE(GetFileModificationTime(Win(dir / "f"), got));
    EXPECT_EQ(got, when);
    EXPECT_FALSE(GetFileModificationTime(Win(dir / "none"), got));
    EXPECT_FALSE(SetFileTimes(Win(dir / "none"), when));
}

TEST(FileSystem, ExistenceSizeFoldersAndDeletion)
{
    ScratchDir dir("fsexist");
    Write(dir / "f", "12345");
    uint64_t size = 0;
    EXPECT_TRUE(GetFileSize(Win(dir / "f"), size));
    EXPECT_EQ(size, 5u);
    EXPECT_FALSE(GetFileSize(Win(dir.Path()), size));
    EXPECT_TRUE(FileExists(Win(dir / "f")));
    EXPECT_FALSE(FolderExists(Win(dir / "f")));
    EXPECT_TRUE(CreateDirectory(Win(dir / "d")));
    EXPECT_FALSE(CreateDirectory(Win(dir / "d"))) << "exists already";
    EXPECT_TRUE(FolderExists(Win(dir / "d")));
    Write(dir / "d" / "inner", "x");
    EXPECT_FALSE(RemoveDirectory(Win(dir / "d"))) << "not empty";
    EXPECT_FALSE(DeleteFile(Win(dir / "d"))) << "a folder is not deleted as a file";
    EXPECT_TRUE(DeleteFile(Win(dir / "d" / "inner")));
    EXPECT_TRUE(RemoveDirectory(Win(dir / "d")));
    EXPECT_FALSE(FileExists(Win(dir / "d")));
}

TEST(FileSystem, CopyKeepsTimeAndRespectsFailIfExists)
{
    ScratchDir dir("fscopy");
    Write(dir / "a", "source");
    ASSERT_TRUE(SetFileTimes(Win(dir / "a"), 1000000000));
    Write(dir / "b", "target");
    EXPECT_FALSE(CopyFile(Win(dir / "a"), Win(dir / "b"), true));
    EXPECT_EQ(Read(dir / "b"), "target");
    EXPECT_TRUE(CopyFile(Win(dir / "a"), Win(dir / "b"), false));
    EXPECT_EQ(Read(dir / "b"), "source");
    std::time_t t = 0;
    ASSERT_TRUE(GetFileModificationTime(Win(dir / "b"), t));
    EXPECT_EQ(t, 1000000000);
    EXPECT_FALSE(CopyFile(Win(dir / "none"), Win(dir / "c"), false));
}

TEST(FileSystem, MoveReplacesAtomicallyButNeverOverAFolder)
{
    ScratchDir dir("fsmove");
    Write(dir / "target", "old");
    Write(dir / "new", "new");
    Write(dir / "second", "second");
    ASSERT_TRUE(MoveFileReplacing(Win(dir / "new"), Win(dir / "target")));
    EXPECT_EQ(Read(dir / "target"), "new");
    EXPECT_FALSE(std::filesystem::exists(dir / "new"));
    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(MoveFileReplacing(Win(dir / "second"), Win(dir / "folder")));
    EXPECT_TRUE(IsSameFile(Win(dir / "target"), Win(dir / "TARGET")));
    EXPECT_FALSE(IsSameFile(Win(dir / "target"), Win(dir / "second")));
}

TEST(FileSystem, TempFolderIsTheUsersOwn)
{
    ScratchDir dir("fstmp");
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", dir.Path().c_str(), 1);
    const std::string folder = GetTempFolder();
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ('\\', folder.back());
    EXPECT_EQ(winpath::ToHost(folder), dir.Path());
}

TEST(FileSystem, DocumentsFolderIsTheXdgOneWhenItExistsElseHome)
{
    ScratchDir dir("fsdocs");
    Write(dir / "user-dirs.dirs", "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfig = config ? config : "";
    setenv("HOME", dir.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    const std::string withoutFolder = GetDocumentsFolder();
    std::filesystem::create_directory(dir / "Papers");
    const std::string withFolder = GetDocumentsFolder();
    setenv("HOME", savedHome.c_str(), 1);
    if (config)
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(withoutFolder, Win(dir.Path()) + "\\");
    EXPECT_EQ(withFolder, Win(dir / "Papers") + "\\");
    EXPECT_TRUE(IsSystemFolder("Z:\\usr\\local\\bin\\"));
    EXPECT_FALSE(IsSystemFolder(withFolder));
    EXPECT_FALSE(IsSystemFolder("Z:\\usrlocal\\"));
}
