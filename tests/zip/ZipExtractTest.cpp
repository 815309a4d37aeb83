// Extracting to the file system: target paths, confinement, folders, times, attributes, atomic files.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/fs/FileSystem.h"
#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/CZipContainer.h"
#include "zip/ZipConvert.h"

using namespace ziptest;

namespace {

// Every regular file below root, as paths relative to it.
std::vector<std::string> FilesBelow(const std::filesystem::path& root)
{
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root))
        if (item.is_regular_file())
            files.push_back(std::filesystem::relative(item.path(), root).string());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

struct PathCase
{
    const char* stored;
    const char* expected; // relative to the target folder, '/' separated
};

class ZipExtractPath : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(ZipExtractPath, LandsBelowTheTargetFolder)
{
    ScratchDir dir("zippath");
    ZipBuilder b;
    b.entries.push_back(Entry(GetParam().stored, "payload"));
    WriteBytes(dir / "a.zip", b.Build());
    const auto target = dir / "deep" / "target";
    std::filesystem::create_directories(target);
    ASSERT_EQ(ExtractAll(dir / "a.zip", target), 0);
    EXPECT_EQ(ReadBytes(target / GetParam().expected), "payload");
    std::vector<std::string> outside;
    for (const auto& item : std::filesystem::recursive_directory_iterator(dir.Path()))
        if (item.is_regular_file() && item.path().filename() != "a.zip" &&
            item.path().string().rfind((target / "").string(), 0) != 0)
            outside.push_back(item.path().string());
    EXPECT_TRUE(outside.empty()) << outside.front();
}

INSTANTIATE_TEST_SUITE_P(
    Names, ZipExtractPath,
    ::testing::Values(PathCase{"data/a.wav", "data/a.wav"}, PathCase{"C:/data/x.wav", "data/x.wav"},
                      PathCase{"/data/x.wav", "data/x.wav"}, PathCase{"../../x.wav", "x.wav"},
                      PathCase{"..\\..\\x.wav", "x.wav"}, PathCase{"a/../../b/./c.wav", "a/b/c.wav"},
                      PathCase{"C:\\..\\..\\y.wav", "y.wav"},
                      PathCase{"//server/share/z.wav", "server/share/z.wav"},
                      PathCase{"a//b.wav", "a/b.wav"}));

TEST(ZipExtract, PythonMadeTraversalNamesStayInside)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    ScratchDir dir("zippy");
    const auto archive = dir / "evil.zip";
    const std::string script = "import zipfile,sys\n"
                               "z=zipfile.ZipFile(sys.argv[1],'w')\n"
                               "for n in ['../../x.wav','..\\\\..\\\\y.wav','/abs/z.wav','ok/../w.wav']:\n"
                               "    i=zipfile.ZipInfo('tmp'); i.filename=n; z.writestr(i,'v:'+n)\n"
                               "z.close()\n";
    WriteBytes(dir / "make.py", script);
    ASSERT_EQ(RunShell("python3 " + Quote(dir / "make.py") + " " + Quote(archive)), 0);
    const auto target = dir / "in";
    std::filesystem::create_directories(target);
    ASSERT_EQ(ExtractAll(archive, target), 0);
    EXPECT_EQ(FilesBelow(target), (std::vector<std::string>{"abs/z.wav", "ok/w.wav", "x.wav", "y.wav"}))
        << "'ok/../w.wav' drops '..' and keeps ok";
    EXPECT_EQ(ReadBytes(target / "x.wav"), "v:../../x.wav");
    for (const auto& item : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_TRUE(item.path() == target || item.path() == archive || item.path().filename() == "make.py")
            << item.path();
}

TEST(ZipExtract, FolderEntriesCreateFoldersWithoutReadingData)
{
    ScratchDir dir("zipfolder");
    ZipBuilder b;
    RawEntry folder = Entry("sub/inner/", "", 0);
    folder.external = 0x10;
    b.entries.push_back(folder);
    RawEntry unixFolder = Entry("unixdir/", "", 0);
    unixFolder.madeBy = (3 << 8) | 20;
    unixFolder.external = 0x41ED0000;
    b.entries.push_back(unixFolder);
    WriteBytes(dir / "a.zip", b.Build());
    CZipContainer zip;
    zip.OpenArchive(Win(dir / "a.zip"));
    EXPECT_TRUE(zip.ExtractEntry(0, Win(dir / "out")));
    EXPECT_TRUE(zip.ExtractEntry(1, Win(dir / "out")));
    zip.CloseArchive();
    EXPECT_TRUE(std::filesystem::is_directory(dir / "out" / "sub" / "inner"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "out" / "unixdir"));
}

TEST(ZipExtract, TimesAndAttributesAreRestored)
{
    ScratchDir dir("zipattr");
    ZipBuilder b;
    RawEntry ro = Entry("ro.txt", "read only");
    ro.external = 0x21;                                               // read-only, archive
    ro.dosTime = static_cast<uint16_t>(13 * 2048 + 45 * 32 + 31 / 2); // 13:45:30
    ro.dosDate = static_cast<uint16_t>((2019 - 1980) * 512 + 7 * 32 + 14);
    b.entries.push_back(ro);
    RawEntry unix = Entry("unix.txt", "unix");
    unix.madeBy = (3 << 8) | 20;
    unix.external = 0100444u << 16; // r--r--r--
    b.entries.push_back(unix);
    RawEntry plain = Entry("plain.txt", "plain");
    plain.external = 0x20;
    b.entries.push_back(plain);
    WriteBytes(dir / "a.zip", b.Build());
    ASSERT_EQ(ExtractAll(dir / "a.zip", dir / "out"), 0);

    std::time_t modified = 0;
    ASSERT_TRUE(GetFileModificationTime(Win(dir / "out" / "ro.txt"), modified));
    EXPECT_EQ(modified, zipconv::DosToTime(ro.dosTime, ro.dosDate));
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &modified);
#else
    localtime_r(&modified, &local);
    struct stat st;
    ASSERT_EQ(::stat((dir / "out" / "ro.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u) << "read-only for everybody";
#endif
    EXPECT_EQ(local.tm_sec, 30) << "DOS times keep even seconds";
    EXPECT_TRUE(GetFileAttributes(Win(dir / "out" / "ro.txt")) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(GetFileAttributes(Win(dir / "out" / "unix.txt")) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(GetFileAttributes(Win(dir / "out" / "plain.txt")) & FILE_ATTRIBUTE_READONLY);
}

TEST(ZipExtract, FailedEntryLeavesThePreviousFileUntouched)
{
    ScratchDir dir("zipatomic");
    ZipBuilder b;
    b.entries.push_back(Entry("good.txt", "new good"));
    RawEntry bad = Entry("victim.txt", Pattern(100000));
    bad.crcDelta = 5;
    b.entries.push_back(bad);
    WriteBytes(dir / "a.zip", b.Build());
    const auto out = dir / "out";
    WriteBytes(out / "victim.txt", "previous content");
    WriteBytes(out / "good.txt", "old good");
    EXPECT_EQ(ExtractAll(dir / "a.zip", out), ZipErrorBadCrc);
    EXPECT_EQ(ReadBytes(out / "victim.txt"), "previous content");
    EXPECT_EQ(ReadBytes(out / "good.txt"), "new good");
    EXPECT_EQ(FilesBelow(out), (std::vector<std::string>{"good.txt", "victim.txt"})) << "no temporary left";
}

#ifndef _WIN32
// A file-size limit stands in for the full disk: Linux only.
TEST(ZipExtract, FullDiskMessageNamesTheExtractedFile)
{
    ScratchDir dir("zipfull");
    ZipBuilder b;
    b.entries.push_back(Entry("Bigname.wav", Pattern(400000), 0));
    WriteBytes(dir / "a.zip", b.Build());
    const auto out = dir / "out";
    WriteBytes(out / "Bigname.wav", "older recording");
    CZipContainer zip;
    zip.OpenArchive(Win(dir / "a.zip"), CZipContainer::OpenReadOnly);
    std::string message;
    std::string file;
    {
        ScopedFileSizeLimit limit(100000);
        try {
            zip.ExtractEntry(0, Win(out));
            ADD_FAILURE() << "no exception";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::diskFull);
            file = e.m_strFileName;
            message = e.GetErrorMessage();
        }
    }
    zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
    EXPECT_EQ(file, Win(out / "Bigname.wav"));
    EXPECT_NE(message.find("\\Bigname.wav: the disk is full"), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(out / "Bigname.wav"), "older recording");
    EXPECT_EQ(FilesBelow(out), std::vector<std::string>{"Bigname.wav"}) << "no temporary left";
}
#endif

TEST(ZipExtract, ReadOnlyTargetIsRefusedAndKept)
{
    ScratchDir dir("ziprotarget");
    ZipBuilder b;
    b.entries.push_back(Entry("x.txt", "new"));
    WriteBytes(dir / "a.zip", b.Build());
    WriteBytes(dir / "out" / "x.txt", "old");
    ASSERT_TRUE(SetFileAttributes(Win(dir / "out" / "x.txt"), FILE_ATTRIBUTE_READONLY));
    CZipContainer zip;
    zip.OpenArchive(Win(dir / "a.zip"));
    EXPECT_THROW(zip.ExtractEntry(0, Win(dir / "out")), CFileException);
    zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
    EXPECT_EQ(ReadBytes(dir / "out" / "x.txt"), "old");
}

TEST(ZipExtract, NewNameAndRootPathShapeTheTarget)
{
    ScratchDir dir("zipnames");
    ZipBuilder b;
    b.entries.push_back(Entry("root/sub/f.txt", "f"));
    WriteBytes(dir / "a.zip", b.Build());
    CZipContainer zip;
    zip.OpenArchive(Win(dir / "a.zip"));
    CZipEntryHeader h;
    ASSERT_TRUE(zip.GetEntryInfo(0, h));
    const std::string folder = "C:\\t";
    EXPECT_EQ(zip.GetExtractPath(h, folder, true), "C:\\t\\root\\sub\\f.txt");
    EXPECT_EQ(zip.GetExtractPath(h, folder + "\\\\", false), "C:\\t\\f.txt");
    zip.SetRootPath("ROOT\\");
    EXPECT_EQ(zip.GetExtractPath(h, folder, false), "C:\\t\\sub\\f.txt")
        << "root path compared ignoring case";
    zip.SetRootPath("roo");
    EXPECT_EQ(zip.GetExtractPath(h, folder, false), "C:\\t\\f.txt") << "a root must end at a separator";
    EXPECT_EQ(zip.GetExtractPath(h, folder, true, "other/name.txt"), "C:\\t\\other\\name.txt");
    EXPECT_TRUE(zip.ExtractEntry(0, Win(dir / "o"), true, "renamed.txt"));
    EXPECT_EQ(ReadBytes(dir / "o" / "renamed.txt"), "f");
    EXPECT_FALSE(zip.ExtractEntry(0, Win(dir / "o"), true, std::string(), 0)) << "no buffer";
    EXPECT_FALSE(zip.ExtractEntry(5, Win(dir / "o")));
    zip.CloseArchive();
}

// An accented name written and extracted through the file layer's Windows-form paths. (The local header
// is checked against the stored form of a name, which need not be as long as the memory form: ZipNames.)
TEST(ZipExtract, AccentedEntryNamesExtract)
{
    ScratchDir dir("zipaccent");
    const std::string name = "Zo\xc3\xab.wav";
    const std::string payload = Pattern(5000, 3);
    const std::filesystem::path source = winpath::ToHost(Win(dir.Path()) + "\\" + name);
    WriteBytes(source, payload);
    CZipContainer zip;
    zip.OpenArchive(Win(dir / "a.zip"), CZipContainer::Create, 0);
    ASSERT_TRUE(zip.AddFileFromDisk(Win(dir.Path()) + "\\" + name, -1, false, 7, 65536));
    zip.CloseArchive();

    ASSERT_EQ(ExtractAll(dir / "a.zip", dir / "out"), 0);
    EXPECT_EQ(ReadBytes(winpath::ToHost(Win(dir / "out") + "\\" + name)), payload);
}
