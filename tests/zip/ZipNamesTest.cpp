// Entry names outside ASCII: written as UTF-8 with bit 11, read by their flag, extracted under what they
// mean.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/CZipContainer.h"
#include "zip/ZipBytes.h"

using namespace ziptest;

namespace {

// The sample catalogue's accented names whose letters all have a CP437 form, and one without.
const char* const kAccented[] = {"Bj\xc3\xb6rn",    "Chlo\xc3\xa9", "\xc3\x89mile",
                                 "Fran\xc3\xa7ois", "Jos\xc3\xa9",  "J\xc3\xbcrgen",
                                 "Tom\xc3\xa1s",    "Zo\xc3\xab",   "S\xc3\xb8ren"};

std::filesystem::path MakeArchive(const ScratchDir& dir, const std::vector<std::string>& names)
{
    const auto archive = dir / "names.zip";
    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::Create);
    for (size_t i = 0; i < names.size(); ++i) {
        WriteBytes(dir / "src" / names[i], Pattern(3000 + i, unsigned(i)));
        EXPECT_TRUE(zip.AddFileFromDisk(Win(dir / "src" / names[i]), -1, false, 7, 65536)) << names[i];
    }
    zip.CloseArchive();
    return archive;
}

} // namespace

TEST(ZipNames, AccentedEntryNamesExtract)
{
    ScratchDir dir("zipnames");
    std::vector<std::string> names;
    for (const char* name : kAccented)
        names.push_back(std::string(name) + ".wav");
    names.push_back("K\xc3\xa4se.txt");
    const auto archive = MakeArchive(dir, names);

    ASSERT_EQ(ExtractAll(archive, dir / "out"), 0);
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(ReadBytes(dir / "out" / names[i]), Pattern(3000 + i, unsigned(i))) << names[i];

    // And appended to: the entries read from disk keep their stored names and still extract.
    WriteBytes(dir / "src" / "\xc3\x89t\xc3\xa9.wav", "summer");
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::OpenExisting);
        ASSERT_TRUE(zip.AddFileFromDisk(Win(dir / "src" / "\xc3\x89t\xc3\xa9.wav"), -1, false, 7, 65536));
        zip.CloseArchive();
    }
    ASSERT_EQ(ExtractAll(archive, dir / "again"), 0);
    EXPECT_EQ(ReadBytes(dir / "again" / "\xc3\x89t\xc3\xa9.wav"), "summer");
    EXPECT_EQ(ReadBytes(dir / "again" / "Zo\xc3\xab.wav"), Pattern(3007, 7));
}

struct ReadNameCase
{
    const char* label;
    std::string stored;
    uint16_t flags;
    int system;        // host system in the central header's version-made-by
    std::string as437; // the name in memory under an OEM code page of 437
    std::string as866; // under 866, when that differs
};

// The label, not the bytes, in test listings.
inline void PrintTo(const ReadNameCase& row, std::ostream* out)
{
    *out << row.label;
}

class ZipNameReading : public ::testing::TestWithParam<ReadNameCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ExpectedOemPage() == 437 || ExpectedOemPage() == 866)
            << "the table knows the names under OEM pages 437 and 866 only";
    }
    std::string Expected() const
    {
        const ReadNameCase& row = GetParam();
        return ExpectedOemPage() == 866 && !row.as866.empty() ? row.as866 : row.as437;
    }
    ScratchDir dir{"zipnameread"};
};

// A name with flag bit 11 is UTF-8 on every system and locale; one that claims it but is not UTF-8 is
// read as CP437, the same everywhere: every byte then stands for its own character, so no two names
// merge and no byte sequence turns into a separator. Without the flag a DOS host's name is in the OEM
// code page of the system, another host's is taken as it is.
TEST_P(ZipNameReading, ExtractsUnderTheNameItMeans)
{
    const ReadNameCase& row = GetParam();
    ZipBuilder b;
    RawEntry entry = Entry(row.stored, row.label);
    entry.flags = row.flags;
    entry.madeBy = static_cast<uint16_t>(row.system << 8 | 20);
    b.entries.push_back(entry);
    WriteBytes(dir / "a.zip", b.Build());

    CZipContainer zip;
    zip.OpenArchive(Win(dir / "a.zip"), CZipContainer::OpenReadOnly);
    CZipEntryHeader header;
    ASSERT_TRUE(zip.GetEntryInfo(0, header));
    EXPECT_EQ(header.GetName(), Expected());
    zip.CloseArchive();

    ASSERT_EQ(ExtractAll(dir / "a.zip", dir / "out"), 0);
    std::string onDisk = Expected();
    std::replace(onDisk.begin(), onDisk.end(), '\\', '/');
    EXPECT_EQ(ReadBytes(dir / "out" / U8(onDisk)), row.label);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ZipNameReading,
    ::testing::Values(
        ReadNameCase{"no flag, DOS host: the OEM page", "Zo\x89.wav", 0, 0, "Zo\xc3\xab.wav",
                     "Zo\xd0\x99.wav"},
        ReadNameCase{"no flag, DOS host, in a folder", "sub/Fran\x87ois.wav", 0, 0,
                     "sub\\Fran\xc3\xa7ois.wav", "sub\\Fran\xd0\x97ois.wav"},
        ReadNameCase{"no flag, UNIX host: as it is", "\xc3\xbc.txt", 0, 3, "\xc3\xbc.txt", ""},
        ReadNameCase{"flag, DOS host", "Zo\xc3\xab.wav", 0x800, 0, "Zo\xc3\xab.wav", ""},
        ReadNameCase{"flag with level bits",
                     "\xc3\x86r\xc3\xb8sk\xc3\xb8"
                     "bing.wav",
                     0x802, 0,
                     "\xc3\x86r\xc3\xb8sk\xc3\xb8"
                     "bing.wav",
                     ""},
        ReadNameCase{"flag, UNIX host", "\xe6\x9d\x8e\xe5\xb0\x8f\xe9\xbe\x8d.wav", 0x800, 3,
                     "\xe6\x9d\x8e\xe5\xb0\x8f\xe9\xbe\x8d.wav", ""},
        ReadNameCase{"flag, NTFS host, in a folder", "\xc5\x81ukasz/\xc5\x81ukasz^.wav", 0x800, 10,
                     "\xc5\x81ukasz\\\xc5\x81ukasz^.wav", ""},
        ReadNameCase{"flag on a Latin-1 byte", "caf\xe9.wav", 0x800, 0, "caf\xce\x98.wav", ""},
        ReadNameCase{"flag on an overlong slash",
                     "a\xc0\xaf"
                     "b.wav",
                     0x800, 0,
                     "a\xe2\x94\x94\xc2\xbb"
                     "b.wav",
                     ""},
        ReadNameCase{"flag on a surrogate", "\xed\xa0\x80.wav", 0x800, 3, "\xcf\x86\xc3\xa1\xc3\x87.wav", ""},
        ReadNameCase{"flag on a name cut short", "Zo\xc3.wav", 0x800, 0, "Zo\xe2\x94\x9c.wav", ""},
        ReadNameCase{"flag past U+10FFFF", "\xf4\x90\x80\x80.wav", 0x800, 0,
                     "\xe2\x8c\xa0\xc3\x89\xc3\x87\xc3\x87.wav", ""}),
    [](const ::testing::TestParamInfo<ReadNameCase>& row) { return CaseName(row.param.label); });

TEST(ZipNames, NamesThatAreNotUtf8DespiteTheFlagStayApart)
{
    ScratchDir dir("zipnamesapart");
    ZipBuilder b;
    for (const char* name : {"x\xfe.wav", "x\xff.wav"}) {
        RawEntry entry = Entry(name, name);
        entry.flags = 0x800;
        b.entries.push_back(entry);
    }
    WriteBytes(dir / "a.zip", b.Build());
    ASSERT_EQ(ExtractAll(dir / "a.zip", dir / "out"), 0);
    EXPECT_EQ(ReadBytes(dir / "out" / U8("x\xe2\x96\xa0.wav")), "x\xfe.wav");
    EXPECT_EQ(ReadBytes(dir / "out" / U8("x\xc2\xa0.wav")), "x\xff.wav");
}

// Adding to an archive rewrites its central directory: an entry that was there keeps the name and flags
// it was stored with, or its central header would no longer match its local one.
TEST(ZipNames, EntriesAlreadyThereKeepTheirStoredNamesWhenTheArchiveGrows)
{
    ScratchDir dir("zipnameskeep");
    ZipBuilder b;
    b.entries.push_back(Entry("Zo\x89.wav", "an older writer's CP437"));
    RawEntry latin1 = Entry("caf\xe9.wav", "a flag that lies");
    latin1.flags = 0x800;
    b.entries.push_back(latin1);
    RawEntry utf8 = Entry("Zo\xc3\xab^.wav", "UTF-8");
    utf8.flags = 0x800;
    b.entries.push_back(utf8);
    WriteBytes(dir / "a.zip", b.Build());
    const std::vector<StoredName> before = StoredNames(ReadBytes(dir / "a.zip"));
    {
        CZipContainer zip;
        zip.OpenArchive(Win(dir / "a.zip"), CZipContainer::OpenExisting);
        CZipEntryHeader header;
        header.SetName("\xc5\x81ukasz.wav");
        ASSERT_TRUE(zip.BeginEntryWrite(header, 0));
        ASSERT_TRUE(zip.WriteEntryData("new", 3));
        ASSERT_TRUE(zip.EndEntryWrite());
        zip.CloseArchive();
    }
    const std::vector<StoredName> after = StoredNames(ReadBytes(dir / "a.zip"));
    ASSERT_EQ(after.size(), 4u);
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].central, before[i].central) << i;
        EXPECT_EQ(after[i].local, before[i].local) << i;
        EXPECT_EQ(after[i].centralFlags, before[i].centralFlags) << i;
    }
    EXPECT_EQ(after[3].central, "\xc5\x81ukasz.wav");
    EXPECT_EQ(after[3].centralFlags, 0x800);
    ASSERT_EQ(ExtractAll(dir / "a.zip", dir / "out"), 0);
    EXPECT_EQ(ReadBytes(dir / "out" / U8("caf\xce\x98.wav")), "a flag that lies");
    EXPECT_EQ(ReadBytes(dir / "out" / U8("Zo\xc3\xab^.wav")), "UTF-8");
    EXPECT_EQ(ReadBytes(dir / "out" / U8("\xc5\x81ukasz.wav")), "new");
}

TEST(ZipNames, LocalNameLengthIsComparedWithTheStoredLength)
{
    ScratchDir dir("zipnameslen");
    // The local name one byte longer than the central one is still refused, accented or not.
    ZipBuilder b;
    b.entries.push_back(Entry("Zo\x89.wav", "zoe"));
    std::string bytes = b.Build();
    bytes[26] = static_cast<char>(bytes[26] + 1);
    WriteBytes(dir / "a.zip", bytes);
    EXPECT_EQ(ExtractAll(dir / "a.zip", dir / "out"), ZipErrorBadZipFile);
}

TEST(ZipNames, NameLimitAppliesToTheStoredForm)
{
    // 32767 a-umlauts: 65534 bytes of UTF-8, within the 65535-byte limit of the stored name.
    ScratchDir dir("zipnameslimit");
    std::string name;
    for (int i = 0; i < 32767; ++i)
        name += "\xc3\xa4";
    const auto archive = dir / "long.zip";
    {
        CZipContainer zip;
        zip.OpenArchive(Win(archive), CZipContainer::Create);
        CZipEntryHeader header;
        header.SetName(name);
        ASSERT_TRUE(zip.BeginEntryWrite(header, 0));
        ASSERT_TRUE(zip.WriteEntryData("x", 1));
        ASSERT_TRUE(zip.EndEntryWrite());
        zip.CloseArchive();
    }
    CZipContainer zip;
    zip.OpenArchive(Win(archive), CZipContainer::OpenReadOnly);
    CZipEntryHeader header;
    ASSERT_TRUE(zip.GetEntryInfo(0, header));
    EXPECT_EQ(header.GetName(), name);
    ASSERT_TRUE(zip.BeginEntryRead(0));
    char c = 0;
    EXPECT_EQ(zip.ReadEntryData(&c, 1), 1u);
    EXPECT_EQ(zip.EndEntryRead(), 1);
    zip.CloseArchive();

    // One more is one byte too many.
    CZipContainer tooLong;
    tooLong.OpenArchive(Win(dir / "too.zip"), CZipContainer::Create);
    CZipEntryHeader big;
    big.SetName(name + "\xc3\xa4");
    EXPECT_EQ(ZipErrorOf([&] { tooLong.BeginEntryWrite(big, 0); }), ZipErrorTooLongData);
    tooLong.CloseArchive(CZipContainer::AfterErrorNoWrite);
}
