// The archive steps of the name commands on their own: a package unpacked all or nothing, the transfer
// archive changed all or nothing. No window involved.
#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "names/CNamePackage.h"
#include "names/CTransferArchive.h"
#include "names/DownloadedPackage.h"
#include "platform/core/CException.h"
#include "platform/fs/CFile.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "zip/CZipContainer.h"
#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"

namespace {

namespace fs = std::filesystem;
using ziptest::ReadBytes;
using ziptest::Win;
using ziptest::WriteBytes;

// Names of the files in folder, hidden ones (our temporaries) included.
std::vector<std::string> Listing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Package(std::vector<RawEntry> entries)
{
    ZipBuilder b;
    b.entries = std::move(entries);
    return b.Build();
}

// Entry names as Python's zipfile reads them, one a line.
std::string PeerNames(const fs::path& archive)
{
    const fs::path out = archive.parent_path().parent_path() / "names.txt";
    EXPECT_EQ(0, ziptest::RunShell("python3 -c 'import sys,zipfile; z=zipfile.ZipFile(sys.argv[1]); "
                                   "assert z.testzip() is None; print(\"\\n\".join(z.namelist()))' " +
                                   ziptest::Quote(archive) + " > " + ziptest::Quote(out)));
    return ReadBytes(out);
}

class ArchiveSteps : public testing::Test
{
protected:
    ScratchDir dir{"archive-steps"};
    fs::path names = dir / "Names";
    fs::path save = dir / "Save";

    void SetUp() override
    {
        fs::create_directories(names);
        fs::create_directories(save);
    }
};

TEST_F(ArchiveSteps, PackageWithAnUnwritableSecondFileReplacesNothing)
{
    WriteBytes(names / "Dora.wav", "old Dora");
    WriteBytes(names / "Dora^.wav", "old marker");
    fs::permissions(names / "Dora^.wav",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    WriteBytes(dir / "Dora.zip", Package({Entry("Dora.wav", "new Dora"), Entry("Dora^.wav", "new marker")}));

    try {
        CNamePackage::ExtractAll(Win(dir / "Dora.zip"), Win(names));
        FAIL() << "the read-only file was replaced";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::accessDenied);
        EXPECT_EQ(e.m_strFileName, Win(names / "Dora^.wav")); // the user's file, not a temporary
    }
    EXPECT_EQ(ReadBytes(names / "Dora.wav"), "old Dora");
    EXPECT_EQ(ReadBytes(names / "Dora^.wav"), "old marker");
    EXPECT_EQ(Listing(names), (std::vector<std::string>{"Dora.wav", "Dora^.wav"}));
}

TEST_F(ArchiveSteps, PackageWithABadCrcLeavesTheOldRecordingsAndNoTemporaries)
{
    WriteBytes(names / ziptest::U8("Zoë.wav"), "old Zoë");
    RawEntry broken = Entry("Zoë^.wav", std::string(5000, 'z'));
    broken.crcDelta = 1;
    WriteBytes(dir / "Zoe.zip", Package({Entry("Zoë.wav", "new Zoë"), broken}));

    EXPECT_EQ(ZipErrorBadCrc,
              ziptest::ZipErrorOf([&] { CNamePackage::ExtractAll(Win(dir / "Zoe.zip"), Win(names)); }));
    EXPECT_EQ(ReadBytes(names / ziptest::U8("Zoë.wav")), "old Zoë");
    EXPECT_EQ(Listing(names), std::vector<std::string>{"Zoë.wav"});
}

// Staged files took their entry's read-only mark before the move: Windows then refused to replace or
// remove them, and a failed install left a visible read-only ".Anna.wav.~xxxxxx" that no run removed.
TEST_F(ArchiveSteps, ReadOnlyEntryLeavesNoTemporaryWhenTheInstallFailsAndIsMarkedOnceInPlace)
{
    RawEntry anna = Entry("Anna.wav", "new anna");
    anna.external = 0x21; // archive, read-only
    RawEntry broken = Entry("Anna^.wav", std::string(5000, 'a'));
    broken.crcDelta = 1;
    WriteBytes(dir / "broken.zip", Package({anna, broken}));
    EXPECT_EQ(ZipErrorBadCrc,
              ziptest::ZipErrorOf([&] { CNamePackage::ExtractAll(Win(dir / "broken.zip"), Win(names)); }));
    EXPECT_TRUE(Listing(names).empty());

    // A killed run's temporary, read-only as older runs marked them, goes with the next install.
    WriteBytes(names / ".Anna.wav.~k1lled", "left behind");
    ASSERT_TRUE(SetFileAttributes(Win(names / ".Anna.wav.~k1lled"), FILE_ATTRIBUTE_READONLY));
    WriteBytes(dir / "Anna.zip", Package({anna, Entry("Anna^.wav", "marker")}));
    CNamePackage::ExtractAll(Win(dir / "Anna.zip"), Win(names));
    EXPECT_EQ(Listing(names), (std::vector<std::string>{"Anna.wav", "Anna^.wav"}));
    EXPECT_EQ(ReadBytes(names / "Anna.wav"), "new anna");
    EXPECT_TRUE(GetFileAttributes(Win(names / "Anna.wav")) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(GetFileAttributes(Win(names / "Anna^.wav")) & FILE_ATTRIBUTE_READONLY);
}

#ifdef _WIN32
// Windows only: a player holds the file it plays without letting it be replaced. The files moved into
// place one after another, so the first one was already new when the second was refused.
TEST_F(ArchiveSteps, WindowsNameHeldOpenByAPlayerRefusesTheInstallAndReplacesNothing)
{
    WriteBytes(names / "Dora.wav", "old Dora");
    WriteBytes(names / "Dora^.wav", "old marker");
    WriteBytes(dir / "Dora.zip", Package({Entry("Dora.wav", "new Dora"), Entry("Dora^.wav", "new marker")}));
    CFile playing(Win(names / "Dora^.wav"), CFile::modeRead | CFile::shareDenyWrite);

    try {
        CNamePackage::ExtractAll(Win(dir / "Dora.zip"), Win(names));
        FAIL() << "a file in use was replaced";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_strFileName, Win(names / "Dora^.wav")) << e.GetErrorMessage();
        EXPECT_NE(e.m_cause, CFileException::none);
    }
    playing.Close();
    EXPECT_EQ(ReadBytes(names / "Dora.wav"), "old Dora");
    EXPECT_EQ(ReadBytes(names / "Dora^.wav"), "old marker");
    EXPECT_EQ(Listing(names), (std::vector<std::string>{"Dora.wav", "Dora^.wav"}));
}
#endif

// Every staged file was held open until all were in place: a transfer archive of 520 names failed at the
// usual limit of 1024 open files with "too many files are open".
TEST_F(ArchiveSteps, ArchiveOfManyMoreNamesThanOpenFilesInstallsWhole)
{
#ifdef _WIN32
    // Wine finds a name that does not exist by reading its folder through, so there every new file
    // costs the size of the folder; Windows itself knows no limit on open files to test.
    const int count = 300;
#else
    const int count = 2500;
#endif
    std::vector<RawEntry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(Entry("Name" + std::to_string(i) + ".wav", "wave " + std::to_string(i), 0));
        entries.push_back(Entry("Name" + std::to_string(i) + "^.wav", "marker", 0));
    }
    WriteBytes(save / "VMRNames.zip", Package(entries));
#ifndef _WIN32
    rlimit before{};
    ASSERT_EQ(0, getrlimit(RLIMIT_NOFILE, &before));
    rlimit few = before;
    few.rlim_cur = 64;
    ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &few));
#endif
    std::string error;
    try {
        CNamePackage::ExtractAll(Win(save / "VMRNames.zip"), Win(names));
    } catch (const CException& e) {
        error = e.GetErrorMessage();
    }
#ifndef _WIN32
    setrlimit(RLIMIT_NOFILE, &before);
#endif
    EXPECT_EQ(error, "");
    EXPECT_EQ(Listing(names).size(), 2u * count);
    EXPECT_EQ(ReadBytes(names / ("Name" + std::to_string(count - 1) + ".wav")),
              "wave " + std::to_string(count - 1));
}

TEST_F(ArchiveSteps, TransferArchiveTakesExactlyTheFilesOfEachGoodPackage)
{
    ZIPTEST_NEEDS_LINUX_PEERS(); // Python's zipfile reads the archive back
    CTransferArchive transfer(Win(save) + "\\");
    WriteBytes(dir / "Anna.zip", Package({Entry("Anna.wav", "anna"), Entry("Anna^.wav", "anna marker")}));
    CTempFile first;
    ASSERT_TRUE(first.Create(transfer.GetPath()));
    fs::copy_file(dir / "Anna.zip", fs::path(winpath::ToHost(first.GetPath())),
                  fs::copy_options::overwrite_existing);
    transfer.AdoptPackage(first);

    // A package whose second file does not read adds nothing; the archive keeps its bytes.
    const std::string before = ReadBytes(save / "VMRNames.zip");
    RawEntry broken = Entry("Bob^.wav", std::string(5000, 'b'));
    broken.crcDelta = 1;
    WriteBytes(dir / "Bob.zip", Package({Entry("Bob.wav", "bob"), broken}));
    EXPECT_EQ(ZipErrorBadCrc, ziptest::ZipErrorOf([&] { transfer.AddPackage(Win(dir / "Bob.zip")); }));
    EXPECT_EQ(ReadBytes(save / "VMRNames.zip"), before);

    // Files inside folders stay out; the top-level files of the package are added after the old ones.
    // Names in UTF-8 (flag bit 11), as another tool writes them; the archive keeps them readable.
    RawEntry jose = Entry("José.wav", "jose");
    RawEntry joseMarker = Entry("José^.wav", "jose marker");
    jose.flags = joseMarker.flags = 0x800;
    WriteBytes(dir / "José.zip", Package({jose, Entry("extra/readme.txt", "x"), joseMarker}));
    EXPECT_TRUE(transfer.AddPackage(Win(dir / "José.zip")));
    EXPECT_EQ(PeerNames(save / "VMRNames.zip"), "Anna.wav\nAnna^.wav\nJosé.wav\nJosé^.wav\n");
    EXPECT_EQ(Listing(save), std::vector<std::string>{"VMRNames.zip"});
}

// On Windows the archive was copied onto its temporary while the temporary's lock handle was open, and
// the system refused the copy: every save after the first failed with a sharing violation.
TEST_F(ArchiveSteps, SecondPackageAddsToTheArchiveWhileItsTemporaryIsHeld)
{
    CTransferArchive transfer(Win(save) + "\\");
    WriteBytes(dir / "Anna.zip", Package({Entry("Anna.wav", "anna"), Entry("Anna^.wav", "anna marker")}));
    WriteBytes(dir / "Bob.zip", Package({Entry("Bob.wav", "bob"), Entry("Bob^.wav", "bob marker")}));
    CTempFile first;
    ASSERT_TRUE(first.Create(transfer.GetPath()));
    WriteBytes(winpath::ToHost(first.GetPath()), ReadBytes(dir / "Anna.zip"));
    transfer.AdoptPackage(first);

    ASSERT_TRUE(transfer.AddPackage(Win(dir / "Bob.zip")));
    CZipContainer archive;
    archive.OpenArchive(transfer.GetPath(), CZipContainer::OpenReadOnly);
    std::vector<std::string> entries;
    for (int i = 0; i < archive.EntryCount(); ++i) {
        CZipEntryHeader header;
        archive.GetEntryInfo(i, header);
        entries.push_back(header.GetName());
        EXPECT_TRUE(archive.BeginEntryRead(i));
        char buffer[64];
        archive.ReadEntryData(buffer, sizeof buffer);
        EXPECT_EQ(1, archive.EndEntryRead()) << header.GetName();
    }
    archive.CloseArchive();
    EXPECT_EQ((std::vector<std::string>{"Anna.wav", "Anna^.wav", "Bob.wav", "Bob^.wav"}), entries);
    EXPECT_EQ(Listing(save), std::vector<std::string>{"VMRNames.zip"});
}

// "Error in ...\VMRNames.zip: Crc mismatched" was shown for a damaged download while the archive was
// intact, inviting the user to throw away every name saved so far.
TEST_F(ArchiveSteps, DamagedPackageIsBlamedNeverTheIntactTransferArchive)
{
    CTransferArchive transfer(Win(save) + "\\");
    WriteBytes(save / "VMRNames.zip", Package({Entry("Anna.wav", "anna"), Entry("Anna^.wav", "marker")}));
    const std::string before = ReadBytes(save / "VMRNames.zip");
    RawEntry broken = Entry("Bob^.wav", std::string(5000, 'b'));
    broken.crcDelta = 1;
    WriteBytes(dir / "Bob.zip", Package({Entry("Bob.wav", "bob"), broken}));
    try {
        transfer.AddPackage(Win(dir / "Bob.zip"));
        ADD_FAILURE() << "a damaged package was added";
    } catch (const CZipException& e) {
        EXPECT_EQ(e.m_strFile, Win(dir / "Bob.zip"));
        const std::string text = namelist::DamagedPackageText("Bob", e);
        EXPECT_EQ(text.find("VMRNames.zip"), std::string::npos) << text;
        EXPECT_NE(text.find("Bob"), std::string::npos) << text;
    }
    EXPECT_EQ(ReadBytes(save / "VMRNames.zip"), before);
}

TEST_F(ArchiveSteps, DownloadThatIsNoArchiveNeverBecomesTheTransferArchive)
{
    CTransferArchive transfer(Win(save) + "\\");
    {
        CTempFile download;
        ASSERT_TRUE(download.Create(transfer.GetPath()));
        WriteBytes(winpath::ToHost(download.GetPath()), "<html>Not Found</html>");
        try {
            transfer.AdoptPackage(download);
            ADD_FAILURE() << "a page became the transfer archive";
        } catch (const CZipException& e) {
            EXPECT_EQ(e.m_strFile, download.GetPath()) << "the download is blamed, for the caller to name";
        }
    }
    EXPECT_FALSE(transfer.Exists());
    EXPECT_TRUE(Listing(save).empty());
}

} // namespace
