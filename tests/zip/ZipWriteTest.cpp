// Creating archives and adding files: records written, store rules, appending, names, all-or-nothing adds.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "platform/fs/FileSystem.h"
#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/CZipContainer.h"
#include "zip/ZipBytes.h"

using namespace ziptest;
using zipbytes::Get16;
using zipbytes::Get32;

namespace {

class ZipWrite : public ::testing::Test
{
protected:
    std::filesystem::path File(const std::string& name, const std::string& content)
    {
        const auto path = dir / "src" / name;
        WriteBytes(path, content);
        return path;
    }
    // Creates archive name holding the given files (added without path) and gives its path.
    std::filesystem::path Make(const std::string& name, const std::vector<std::filesystem::path>& files,
                               int level = -1)
    {
        const auto archive = dir / name;
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::Create);
        for (const auto& f : files)
            EXPECT_TRUE(zip.AddFileFromDisk(Win(f), level, false, 7, 65536)) << f;
        zip.CloseArchive();
        return archive;
    }
    ScratchDir dir{"zipwrite"};
};

} // namespace

TEST_F(ZipWrite, CreateAndCloseWritesTheBareEndRecord)
{
    const auto archive = Make("empty.zip", {});
    const std::string bytes = ReadBytes(archive);
    EXPECT_EQ(bytes, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
}

TEST_F(ZipWrite, SmallFilesAreStoredAndLargerOnesDeflated)
{
    const auto archive = Make("a.zip", {File("four", "abcd"), File("five", "abcde"), File("empty", "")});
    const std::string bytes = ReadBytes(archive);
    // First local header: the 4-byte file, stored, version 20, final CRC and sizes, no bit 3.
    EXPECT_EQ(Get32(bytes.data()), 0x04034B50u);
    EXPECT_EQ(Get16(bytes.data() + 4), 20);
    EXPECT_EQ(Get16(bytes.data() + 6) & 8, 0);
    EXPECT_EQ(Get16(bytes.data() + 8), 0);
    EXPECT_EQ(Get32(bytes.data() + 14), crc32(0, reinterpret_cast<const Bytef*>("abcd"), 4));
    EXPECT_EQ(Get32(bytes.data() + 18), 4u);
    EXPECT_EQ(Get32(bytes.data() + 22), 4u);

    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    ASSERT_EQ(zip.EntryCount(), 3);
    CZipEntryHeader four, five, empty;
    zip.GetEntryInfo(0, four);
    zip.GetEntryInfo(1, five);
    zip.GetEntryInfo(2, empty);
    EXPECT_EQ(four.m_uMethod, 0);
    EXPECT_EQ(four.m_uNeeded, 20);
    EXPECT_EQ(five.m_uMethod, 8);
    EXPECT_EQ(empty.m_uMethod, 0);
    EXPECT_EQ(empty.m_uCrc, 0u);
    EXPECT_EQ(empty.m_uPackedSize, 0u);
    EXPECT_EQ(empty.m_uPlainSize, 0u);
    EXPECT_EQ(four.m_uExternal, 0x81B40020u) << "plain file under system 0";
    EXPECT_EQ(four.m_uMadeBy, 20);
    zip.CloseArchive();
}

TEST_F(ZipWrite, LevelsSetTheDeflateFlagBits)
{
    const auto f = File("data", Pattern(20000));
    for (auto [level, flags] :
         std::vector<std::pair<int, int>>{{1, 6}, {2, 4}, {3, 0}, {-1, 0}, {8, 2}, {9, 2}}) {
        const auto archive = Make("l.zip", {f}, level);
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
        CZipEntryHeader h;
        zip.GetEntryInfo(0, h);
        EXPECT_EQ(h.m_uFlags, flags) << level;
        zip.CloseArchive();
        std::filesystem::remove(archive);
    }
}

TEST_F(ZipWrite, FolderBecomesAStoredEntryEndingInSlash)
{
    std::filesystem::create_directories(dir / "src" / "folder");
    const auto archive = Make("d.zip", {dir / "src" / "folder"});
    const std::string bytes = ReadBytes(archive);
    const size_t central = bytes.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    EXPECT_EQ(bytes.substr(central + 46, 7), "folder/");
    EXPECT_EQ(Get16(bytes.data() + central + 6), 10) << "version needed";
    EXPECT_EQ(Get16(bytes.data() + central + 10), 0) << "stored";
    EXPECT_EQ(Get32(bytes.data() + central + 24), 0u);
    EXPECT_EQ(Get32(bytes.data() + central + 38), 0x41B40010u);
    EXPECT_EQ(Get16(bytes.data() + 8), 0) << "the local header says stored too";
}

TEST_F(ZipWrite, EntryNamesFollowKeepPathAndRootPath)
{
    const auto f = File("Temp/a.wav", "RIFF....");
    const std::string win = Win(f);
    const auto archive = dir / "n.zip";
    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::Create);
    ASSERT_TRUE(zip.AddFileFromDisk(win, -1, false));
    ASSERT_TRUE(zip.AddFileFromDisk(win, -1, true));
    zip.SetRootPath(Win(dir / "src"));
    ASSERT_TRUE(zip.AddFileFromDisk(win, -1, false));
    ASSERT_TRUE(zip.AddFileFromDisk(win, -1, false)) << "a second entry with the same name is added";
    EXPECT_FALSE(zip.AddFileFromDisk(Win(dir / "missing"), -1, false));
    EXPECT_FALSE(zip.AddFileFromDisk("", -1, false));
    EXPECT_FALSE(zip.AddFileFromDisk(Win(archive), -1, false)) << "the archive itself";
    zip.CloseArchive();

    CZipContainer check;
    check.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    ASSERT_EQ(check.EntryCount(), 4);
    CZipEntryHeader h;
    check.GetEntryInfo(0, h);
    EXPECT_EQ(h.GetName(), "a.wav");
    check.GetEntryInfo(1, h);
    EXPECT_EQ(h.GetName(), win.substr(3)) << "path without the drive";
    check.GetEntryInfo(2, h);
    EXPECT_EQ(h.GetName(), "Temp\\a.wav");
    EXPECT_EQ(check.FindEntry("temp\\A.WAV"), 2);
    EXPECT_EQ(check.FindEntry("temp\\A.WAV", true), -1);
    EXPECT_EQ(check.FindEntry("a.wav", false, true), 0) << "name only: the first of equal names";
    EXPECT_EQ(check.FindEntry("nothing"), -1);
    check.CloseArchive();
    const std::string bytes = ReadBytes(archive);
    std::string archiveForm = win.substr(3);
    std::replace(archiveForm.begin(), archiveForm.end(), '\\', '/');
    EXPECT_NE(bytes.find(archiveForm), std::string::npos) << "archive form uses '/'";
}

TEST_F(ZipWrite, AppendingKeepsOldEntriesCommentAndStub)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    ZipBuilder b;
    b.prefix = std::string(777, 'S');
    b.comment = "the comment";
    RawEntry old;
    old.name = "old.txt";
    old.data = Pattern(3000);
    old.extra = std::string("\x55\x54\x05\x00\x01\x00\x00\x00\x00", 9);
    old.comment = "entry comment";
    b.entries.push_back(old);
    const auto archive = dir / "app.zip";
    WriteBytes(archive, b.Build());
    const std::string before = ReadBytes(archive);

    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::OpenExisting, 0);
    ASSERT_EQ(zip.EntryCount(), 1);
    ASSERT_TRUE(zip.AddFileFromDisk(Win(File("new.txt", Pattern(5000, 9))), -1, false, 7, 65536));
    zip.CloseArchive();

    const std::string after = ReadBytes(archive);
    const size_t oldDir = before.find("PK\x01\x02");
    EXPECT_EQ(after.substr(0, oldDir), before.substr(0, oldDir)) << "stub and old data unchanged";
    EXPECT_EQ(after.substr(oldDir, 4), "PK\x03\x04") << "the new entry replaced the old directory";
    const size_t newDir = after.find("PK\x01\x02");
    const size_t oldCentralSize = before.find("PK\x05\x06") - oldDir;
    EXPECT_EQ(after.substr(newDir, oldCentralSize), before.substr(oldDir, oldCentralSize))
        << "old central header written back unchanged";

    CZipContainer check;
    check.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    ASSERT_EQ(check.EntryCount(), 2);
    EXPECT_EQ(check.GetComment(), "the comment");
    CZipEntryHeader h;
    check.GetEntryInfo(0, h);
    EXPECT_EQ(h.GetComment(), "entry comment");
    EXPECT_EQ(h.m_extra.ToString(), old.extra);
    check.CloseArchive();
    ScratchDir out("zipappout");
    ASSERT_EQ(ExtractAll(archive, out.Path()), 0);
    EXPECT_EQ(ReadBytes(out / "old.txt"), old.data);
    EXPECT_EQ(ReadBytes(out / "new.txt"), Pattern(5000, 9));
    WriteBytes(dir / "t.py", "import zipfile,sys\nassert zipfile.ZipFile(sys.argv[1]).testzip() is None\n");
    EXPECT_EQ(RunShell("python3 " + Quote(dir / "t.py") + " " + Quote(archive)), 0)
        << "stub-prefixed archive valid";
}

struct WrittenNameCase
{
    const char* label;
    std::string memory;   // as the program holds it
    std::string stored;   // in both headers
    bool utf8Flag;        // flag bit 11 in both headers
    std::string readBack; // the name read back when it differs from memory
};

// The label, not the bytes, in test listings.
inline void PrintTo(const WrittenNameCase& row, std::ostream* out)
{
    *out << row.label;
}

class ZipWriteName : public ::testing::TestWithParam<WrittenNameCase>
{
protected:
    ScratchDir dir{"zipwritename"};
};

// A package made on Linux installed as "ZoЙ.wav" on a Windows whose OEM page is 866: names were stored
// in the writer's OEM code page. A name outside ASCII is now UTF-8 with flag bit 11, whoever writes it,
// and the flag leaves the level bits (and no descriptor bit) as they were.
TEST_P(ZipWriteName, OneStoredFormOnEverySystemAndLocale)
{
    const WrittenNameCase& row = GetParam();
    const auto archive = dir / "name.zip";
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::Create);
        for (int level : {9, 0}) {
            CZipEntryHeader header;
            header.SetName(row.memory);
            ASSERT_TRUE(zip.BeginEntryWrite(header, level)) << row.label;
            ASSERT_TRUE(zip.WriteEntryData("level", 5));
            ASSERT_TRUE(zip.EndEntryWrite());
        }
        zip.CloseArchive();
    }
    const std::vector<StoredName> stored = StoredNames(ReadBytes(archive));
    ASSERT_EQ(stored.size(), 2u) << row.label;
    const uint16_t utf8 = row.utf8Flag ? 0x800 : 0;
    for (size_t i = 0; i < stored.size(); ++i) {
        const uint16_t levelBits = i == 0 ? 0x2 : 0; // level 9 deflated, level 0 stored
        EXPECT_EQ(stored[i].central, row.stored) << row.label;
        EXPECT_EQ(stored[i].local, row.stored) << row.label;
        EXPECT_EQ(stored[i].centralFlags, levelBits | utf8) << row.label;
        EXPECT_EQ(stored[i].localFlags, levelBits | utf8) << row.label;
    }

    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    CZipEntryHeader header;
    ASSERT_TRUE(zip.GetEntryInfo(1, header));
    EXPECT_EQ(header.GetName(), row.readBack.empty() ? row.memory : row.readBack) << row.label;
    ASSERT_TRUE(zip.BeginEntryRead(1));
    char data[8] = {};
    EXPECT_EQ(zip.ReadEntryData(data, sizeof data), 5u);
    EXPECT_EQ(zip.EndEntryRead(), 1) << row.label;
    zip.CloseArchive();
}

INSTANTIATE_TEST_SUITE_P(
    Names, ZipWriteName,
    ::testing::Values(
        WrittenNameCase{"ascii", "Anna.wav", "Anna.wav", false, ""},
        WrittenNameCase{"ascii in a folder", "sub\\Anne Marie^.wav", "sub/Anne Marie^.wav", false, ""},
        WrittenNameCase{"CP437 has all of it", "Zo\xc3\xab.wav", "Zo\xc3\xab.wav", true, ""},
        WrittenNameCase{"CP437 lacks o-slash",
                        "\xc3\x86r\xc3\xb8sk\xc3\xb8"
                        "bing.wav",
                        "\xc3\x86r\xc3\xb8sk\xc3\xb8"
                        "bing.wav",
                        true, ""},
        WrittenNameCase{"Chinese", "\xe6\x9d\x8e\xe5\xb0\x8f\xe9\xbe\x8d.wav",
                        "\xe6\x9d\x8e\xe5\xb0\x8f\xe9\xbe\x8d.wav", true, ""},
        WrittenNameCase{"L-stroke", "\xc5\x81ukasz^.wav", "\xc5\x81ukasz^.wav", true, ""},
        WrittenNameCase{"Cyrillic below an accented folder",
                        "K\xc3\xa4se\\\xd0\xae\xd0\xbb\xd0\xb8\xd1\x8f.wav",
                        "K\xc3\xa4se/\xd0\xae\xd0\xbb\xd0\xb8\xd1\x8f.wav", true, ""},
        // A name that is not UTF-8 (a Latin-1 file name on Linux) would make the flag lie and Python refuse
        // the whole archive: it is stored as it is, and read back in the OEM page (0xB0 is the same light
        // shade in CP437 and CP866).
        WrittenNameCase{"not UTF-8", "bad\xb0.wav", "bad\xb0.wav", false, "bad\xe2\x96\x91.wav"}),
    [](const ::testing::TestParamInfo<WrittenNameCase>& row) { return CaseName(row.param.label); });

TEST_F(ZipWrite, FailedAddPutsTheArchiveBackAsOpened)
{
    const auto archive =
        Make("keep.zip", {File("one.txt", Pattern(4000)), File("two.txt", Pattern(9000, 2))});
    const std::string original = ReadBytes(archive);
    const auto good = File("three.txt", Pattern(6000, 3));

    // A source that fails while it is read (EIO), after a good add in the same session.
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::OpenExisting, 0);
        ASSERT_TRUE(zip.AddFileFromDisk(Win(good), -1, false));
        EXPECT_THROW(zip.AddFileFromDisk("Z:\\proc\\self\\mem", -1, false), CFileException);
        zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
    }
    EXPECT_EQ(ReadBytes(archive), original) << "close after the error";

    // The same when the exception unwinds the owner of a container still open.
    try {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::OpenExisting, 0);
        ASSERT_TRUE(zip.AddFileFromDisk(Win(good), -1, false));
        zip.AddFileFromDisk("Z:\\proc\\self\\mem", -1, false);
        ADD_FAILURE() << "no exception";
    } catch (const CFileException&) {
    }
    EXPECT_EQ(ReadBytes(archive), original) << "destroyed while open";

    // Mode 2 also keeps nothing of the failed series.
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::OpenExisting, 0);
        ASSERT_TRUE(zip.AddFileFromDisk(Win(good), -1, false));
        CZipEntryHeader h;
        h.SetName("half.bin");
        ASSERT_TRUE(zip.BeginEntryWrite(h, 6));
        ASSERT_TRUE(zip.WriteEntryData(original.data(), unsigned(original.size())));
        zip.CloseArchive(CZipContainer::AfterErrorWrite);
    }
    EXPECT_EQ(ReadBytes(archive), original) << "after-error mode 2";

    // A normal close keeps what was added.
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::OpenExisting, 0);
        ASSERT_TRUE(zip.AddFileFromDisk(Win(good), -1, false));
        zip.CloseArchive();
    }
    CZipContainer check;
    check.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    EXPECT_EQ(check.EntryCount(), 3);
    check.CloseArchive();
}

TEST_F(ZipWrite, FailedEntryInANewArchiveIsLeftOutOfTheDirectory)
{
    ZIPTEST_NEEDS_LINUX_PEERS();
    const auto archive = dir / "new.zip";
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::Create);
        ASSERT_TRUE(zip.AddFileFromDisk(Win(File("ok.txt", "fine content")), -1, false));
        CZipEntryHeader h;
        h.SetName("broken");
        ASSERT_TRUE(zip.BeginEntryWrite(h, -1));
        zip.WriteEntryData("xyz", 3);
        zip.CloseArchive(CZipContainer::AfterErrorWrite);
    }
    CZipContainer check;
    check.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    ASSERT_EQ(check.EntryCount(), 1);
    check.CloseArchive();
    EXPECT_EQ(RunShell("unzip -tqq " + Quote(archive) + " >/dev/null 2>&1"), 0);
}

TEST_F(ZipWrite, EntryWriteInterfaceRefusesWhatItCannotDo)
{
    CZipContainer zip;
    CZipEntryHeader h;
    EXPECT_FALSE(zip.BeginEntryWrite(h)) << "nothing open";
    EXPECT_FALSE(zip.WriteEntryData("x", 1));
    EXPECT_FALSE(zip.EndEntryWrite());
    const auto archive = dir / "w.zip";
    zip.OpenArchive(Win(archive), CZipContainer::Create);
    ASSERT_TRUE(zip.BeginEntryWrite(h));
    CZipEntryHeader second;
    EXPECT_FALSE(zip.BeginEntryWrite(second)) << "one entry at a time";
    EXPECT_FALSE(zip.BeginEntryRead(0));
    EXPECT_TRUE(zip.WriteEntryData("hello", 5));
    EXPECT_TRUE(zip.EndEntryWrite());
    CZipEntryHeader longName;
    longName.SetName(std::string(70000, 'n'));
    EXPECT_EQ(ZipErrorOf([&] { zip.BeginEntryWrite(longName); }), ZipErrorTooLongData);
    zip.CloseArchive();
    CZipContainer check;
    check.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    ASSERT_EQ(check.EntryCount(), 1);
    check.GetEntryInfo(0, h);
    EXPECT_EQ(h.GetName(), "file0") << "an entry without a name";
    check.CloseArchive();
}

TEST_F(ZipWrite, ReplacingTheLastEntryByName)
{
    const auto archive = Make("r.zip", {File("a.txt", "first a"), File("b.txt", "first b")});
    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::OpenExisting);
    CZipAddRequest request;
    request.m_strSourcePath = Win(File("b.txt", "second b"));
    request.m_bKeepPath = false;
    request.m_iReplaceIndex = CZipAddRequest::kReplaceByName;
    EXPECT_TRUE(zip.AddFile(request));
    request.m_strSourcePath = Win(File("a.txt", "second a"));
    EXPECT_FALSE(zip.AddFile(request)) << "only the last entry can be replaced";
    zip.CloseArchive();
    ScratchDir out("zipreplace");
    ASSERT_EQ(ExtractAll(archive, out.Path()), 0);
    EXPECT_EQ(ReadBytes(out / "a.txt"), "first a");
    EXPECT_EQ(ReadBytes(out / "b.txt"), "second b");
    CZipContainer check;
    check.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    EXPECT_EQ(check.EntryCount(), 2);
    check.CloseArchive();
}

TEST_F(ZipWrite, ClosingWithStampGivesTheArchiveTheNewestEntryTime)
{
    const auto older = File("older", "1");
    const auto newer = File("newer", "2");
    std::filesystem::last_write_time(older,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));
    std::filesystem::last_write_time(newer,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(24));
    const auto archive = dir / "stamp.zip";
    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::Create);
    ASSERT_TRUE(zip.AddFileFromDisk(Win(newer), -1, false));
    ASSERT_TRUE(zip.AddFileFromDisk(Win(older), -1, false));
    CZipEntryHeader h;
    ASSERT_TRUE(zip.GetEntryInfo(0, h));
    const std::time_t expected = h.GetTime();
    zip.CloseArchive(CZipContainer::AfterErrorNone, true);
    std::time_t stamped = 0;
    ASSERT_TRUE(GetFileModificationTime(Win(archive), stamped));
    EXPECT_EQ(stamped, expected);
}
