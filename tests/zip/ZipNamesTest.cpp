// Entry names outside ASCII: stored in CP437 (or UTF-8 with bit 11), read back and extracted unchanged.
#include <gtest/gtest.h>

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

TEST(ZipNames, Cp437NameOfAnotherWriterExtractsUnderItsAnsiName)
{
    ScratchDir dir("zipnames437");
    ZipBuilder b;
    b.entries.push_back(Entry("Zo\x89.wav", "zoe"));                  // CP437 0x89: e-diaeresis
    b.entries.push_back(Entry("sub/Fran\x87ois.wav", "francois", 0)); // CP437 0x87: c-cedilla
    WriteBytes(dir / "a.zip", b.Build());
    ASSERT_EQ(ExtractAll(dir / "a.zip", dir / "out"), 0);
    EXPECT_EQ(ReadBytes(dir / "out" / ziptest::U8("Zo\xc3\xab.wav")), "zoe");
    EXPECT_EQ(ReadBytes(dir / "out" / "sub" / ziptest::U8("Fran\xc3\xa7ois.wav")), "francois");
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
    // 40000 a-umlauts: 80000 bytes in memory, 40000 stored in CP437, within the 65535-byte limit.
    ScratchDir dir("zipnameslimit");
    std::string name;
    for (int i = 0; i < 40000; ++i)
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

    // 70000 of them are too many even in CP437.
    CZipContainer tooLong;
    tooLong.OpenArchive(Win(dir / "too.zip"), CZipContainer::Create);
    CZipEntryHeader big;
    big.SetName(name + name.substr(0, 60000));
    EXPECT_EQ(ZipErrorOf([&] { tooLong.BeginEntryWrite(big, 0); }), ZipErrorTooLongData);
    tooLong.CloseArchive(CZipContainer::AfterErrorNoWrite);
}
