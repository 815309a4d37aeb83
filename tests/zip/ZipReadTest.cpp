// Reading archives: finding the end record, the directory's structure checks, entry data and CRC.
#include <gtest/gtest.h>

#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/CZipContainer.h"

using namespace ziptest;

namespace {

class ZipRead : public ::testing::Test
{
protected:
    std::filesystem::path Put(const std::string& bytes, const std::string& name = "a.zip")
    {
        const auto path = dir / name;
        WriteBytes(path, bytes);
        return path;
    }
    // The ZIP code raised by opening the bytes as an archive (0 when they open).
    int OpenError(const std::string& bytes)
    {
        const auto path = Put(bytes);
        CZipContainer zip;
        const int code = ZipErrorOf([&] { zip.OpenArchive(Win(path), CZipContainer::OpenReadOnly); });
        zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
        return code;
    }
    ScratchDir dir{"zipread"};
};

} // namespace

TEST_F(ZipRead, FilesWithoutEndRecordRaise116AndTruncatedEndRecordRaises101)
{
    EXPECT_EQ(OpenError(""), ZipErrorCentralDirNotFound);
    EXPECT_EQ(OpenError(std::string(70000, 'x')), ZipErrorCentralDirNotFound);
    EXPECT_EQ(OpenError("PK\x05\x06" + std::string(10, '\0')), ZipErrorBadZipFile);
    // The signature beyond the last 65557 bytes is not looked for.
    ZipBuilder b;
    EXPECT_EQ(OpenError(b.Build() + std::string(65557 - 21, 'x')), ZipErrorCentralDirNotFound);
}

TEST_F(ZipRead, EndRecordIsFoundBehindTheLongestCommentAndAcrossTheChunkBorder)
{
    ZipBuilder b;
    b.entries.push_back(Entry("a.txt", "hello"));
    b.comment = std::string(65535, 'c');
    EXPECT_EQ(OpenError(b.Build()), 0);

    // Place the signature so that it straddles the border between the first two 32768-byte chunks
    // read from the end (3 bytes overlap): it starts 32769 bytes before the end.
    for (size_t before : {32769u, 32770u, 32771u, 32768u}) {
        ZipBuilder c;
        c.entries.push_back(Entry("a.txt", "hello"));
        c.comment = std::string(before - 22, 'c');
        const std::string bytes = c.Build();
        ASSERT_EQ(bytes.substr(bytes.size() - before, 4), "PK\x05\x06");
        const auto path = Put(bytes);
        CZipContainer zip;
        zip.OpenArchive(Win(path), CZipContainer::OpenReadOnly);
        EXPECT_EQ(zip.EntryCount(), 1) << before;
        EXPECT_EQ(zip.GetComment(), c.comment) << before;
        zip.CloseArchive();
    }
}

TEST_F(ZipRead, InconsistentDirectoriesRaise101)
{
    ZipBuilder countWithoutSize;
    countWithoutSize.entries.push_back(Entry("a", "x"));
    countWithoutSize.zeroDirectorySize = true;
    EXPECT_EQ(OpenError(countWithoutSize.Build()), ZipErrorBadZipFile) << "entries but size 0";

    ZipBuilder sizeWithoutCount;
    sizeWithoutCount.entries.push_back(Entry("a", "x"));
    sizeWithoutCount.totalEntriesDelta = -1;
    EXPECT_EQ(OpenError(sizeWithoutCount.Build()), ZipErrorBadZipFile) << "size but 0 entries";

    ZipBuilder moreThanThere;
    moreThanThere.entries.push_back(Entry("a", "x"));
    moreThanThere.totalEntriesDelta = 1;
    EXPECT_EQ(OpenError(moreThanThere.Build()), ZipErrorBadZipFile) << "count beyond the directory";

    ZipBuilder duplicate;
    duplicate.entries.push_back(Entry("a", "x"));
    duplicate.entries.push_back(Entry("b", "y"));
    duplicate.centralOrder = {0, 0};
    EXPECT_EQ(OpenError(duplicate.Build()), ZipErrorBadZipFile) << "two entries at one offset";

    ZipBuilder good;
    good.entries.push_back(Entry("a", "x"));
    std::string bytes = good.Build();
    const size_t dir = bytes.find("PK\x01\x02");
    bytes[dir + 3] = 9;
    EXPECT_EQ(OpenError(bytes), ZipErrorBadZipFile) << "bad central signature";

    std::string beyond = good.Build();
    beyond[beyond.size() - 6] = 0x7F; // directory offset far beyond the end record
    EXPECT_EQ(OpenError(beyond), ZipErrorBadZipFile) << "directory past the end record";
}

TEST_F(ZipRead, EntriesAreNumberedInFileOrderAndAStubIsHarmless)
{
    ZipBuilder b;
    b.prefix = std::string(1000, 'S');
    for (const char* n : {"first", "second", "third"})
        b.entries.push_back(Entry(n, std::string("data of ") + n));
    b.centralOrder = {2, 0, 1};
    const auto path = Put(b.Build());
    CZipContainer zip;
    zip.OpenArchive(Win(path), CZipContainer::OpenReadOnly);
    ASSERT_EQ(zip.EntryCount(), 3);
    const char* expected[] = {"first", "second", "third"};
    for (int i = 0; i < 3; ++i) {
        CZipEntryHeader h;
        ASSERT_TRUE(zip.GetEntryInfo(i, h));
        EXPECT_EQ(h.GetName(), expected[i]);
        ASSERT_TRUE(zip.BeginEntryRead(i));
        char buf[64];
        const unsigned n = zip.ReadEntryData(buf, sizeof buf);
        EXPECT_EQ(std::string(buf, n), std::string("data of ") + expected[i]);
        EXPECT_EQ(zip.EndEntryRead(), 1);
    }
    CZipEntryHeader h;
    EXPECT_FALSE(zip.GetEntryInfo(3, h));
    EXPECT_FALSE(zip.GetEntryInfo(-1, h));
    zip.CloseArchive();
}

TEST_F(ZipRead, EmptyArchiveOpensWithNoEntries)
{
    ZipBuilder b;
    const auto path = Put(b.Build());
    CZipContainer zip;
    zip.OpenArchive(Win(path), CZipContainer::OpenExisting);
    EXPECT_EQ(zip.EntryCount(), 0);
    EXPECT_FALSE(zip.BeginEntryRead(0));
    zip.CloseArchive();
    EXPECT_EQ(ReadBytes(path), b.Build()) << "reading must not change the file";
}

TEST_F(ZipRead, EntryDataErrorsCarryTheirCodes)
{
    struct Case
    {
        const char* what;
        RawEntry entry;
        int code;
    };
    std::vector<Case> cases;
    RawEntry method12 = Entry("m12", "abc", 12);
    cases.push_back({"method 12", method12, ZipErrorBadZipFile});
    RawEntry corrupt = Entry("bad", Pattern(5000));
    corrupt.packedOverride = std::string("\xff\xff\xff\xff\xff\xff", 6) + Pattern(200);
    corrupt.packedOverrideSet = true;
    cases.push_back({"corrupted deflate stream", corrupt, ZipErrorData});
    RawEntry crc = Entry("crc", Pattern(100000));
    crc.crcDelta = 1;
    cases.push_back({"wrong CRC", crc, ZipErrorBadCrc});
    RawEntry crcStored = Entry("crc0", Pattern(1000), 0);
    crcStored.crcDelta = 7;
    cases.push_back({"wrong CRC, stored", crcStored, ZipErrorBadCrc});
    RawEntry encrypted = Entry("enc", "secret", 0);
    encrypted.flags = 1;
    cases.push_back({"encrypted", encrypted, ZipErrorBadPassword});
    // A deflate stream without its final block never ends, not even with the dummy byte.
    RawEntry endless = Entry("endless", Pattern(3000));
    {
        z_stream s{};
        deflateInit2(&s, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        std::string out(10000, '\0');
        s.next_in = reinterpret_cast<Bytef*>(endless.data.data());
        s.avail_in = uInt(endless.data.size() - 1000);
        s.next_out = reinterpret_cast<Bytef*>(out.data());
        s.avail_out = uInt(out.size());
        deflate(&s, Z_SYNC_FLUSH);
        out.resize(s.total_out);
        deflateEnd(&s);
        endless.packedOverride = out;
        endless.packedOverrideSet = true;
    }
    cases.push_back({"deflate stream that does not end", endless, ZipErrorBadZipFile});

    for (const Case& c : cases) {
        ZipBuilder b;
        b.entries.push_back(c.entry);
        // A following entry whose bytes must never leak into the broken one.
        b.entries.push_back(Entry("next", std::string(5000, 'N'), 0));
        const auto path = Put(b.Build());
        ScratchDir out("zipout");
        EXPECT_EQ(ExtractAll(path, out.Path()), c.code) << c.what;
        EXPECT_FALSE(std::filesystem::exists(out / c.entry.name)) << c.what << ": no partial file";
        for (const auto& item : std::filesystem::directory_iterator(out.Path()))
            ADD_FAILURE() << c.what << ": left behind " << item.path();
    }
}

TEST_F(ZipRead, CrcMismatchIsRaisedOnlyAfterTheLastByte)
{
    ZipBuilder b;
    RawEntry e = Entry("crc", Pattern(200000));
    e.crcDelta = 1;
    b.entries.push_back(e);
    const auto path = Put(b.Build());
    CZipContainer zip;
    zip.OpenArchive(Win(path), CZipContainer::OpenReadOnly);
    ASSERT_TRUE(zip.BeginEntryRead(0));
    std::string got;
    std::vector<char> buf(65536);
    unsigned n;
    while ((n = zip.ReadEntryData(buf.data(), unsigned(buf.size()))) > 0)
        got.append(buf.data(), n);
    EXPECT_EQ(got, e.data);
    EXPECT_EQ(ZipErrorOf([&] { zip.EndEntryRead(); }), ZipErrorBadCrc);
    zip.CloseArchive(CZipContainer::AfterErrorNoWrite);

    CZipContainer lenient;
    lenient.OpenArchive(Win(path), CZipContainer::OpenReadOnly);
    lenient.SetIgnoreCrc(true);
    ASSERT_TRUE(lenient.BeginEntryRead(0));
    while (lenient.ReadEntryData(buf.data(), unsigned(buf.size())) > 0) {
    }
    EXPECT_EQ(lenient.EndEntryRead(), 1);
    lenient.CloseArchive();
}

TEST_F(ZipRead, LocalHeaderMismatchesRaise101)
{
    ZipBuilder b;
    b.entries.push_back(Entry("name", "content"));
    const std::string good = b.Build();
    struct Tamper
    {
        const char* what;
        size_t offset;
        char value;
    };
    for (const Tamper& t :
         {Tamper{"signature", 2, 'X'}, Tamper{"method", 8, 0}, Tamper{"name length", 26, 9},
          Tamper{"crc", 14, 0x11}, Tamper{"compressed size", 18, 0x7F}, Tamper{"size", 22, 0x7F}}) {
        std::string bytes = good;
        bytes[t.offset] = t.value;
        const auto path = Put(bytes);
        CZipContainer zip;
        zip.OpenArchive(Win(path), CZipContainer::OpenReadOnly);
        EXPECT_EQ(ZipErrorOf([&] { zip.BeginEntryRead(0); }), ZipErrorBadZipFile) << t.what;
        zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
    }
}

TEST_F(ZipRead, DataDescriptorsAreCheckedWithAndWithoutSignature)
{
    for (bool signature : {true, false}) {
        for (bool tamper : {false, true}) {
            ZipBuilder b;
            RawEntry e = Entry("dd", Pattern(70000));
            e.descriptor = true;
            e.descriptorSignature = signature;
            b.entries.push_back(e);
            std::string bytes = b.Build();
            if (tamper) {
                const size_t dd = bytes.find("PK\x01\x02") - 4; // uncompressed size, last field
                bytes[dd] ^= 1;
            }
            const auto path = Put(bytes);
            ScratchDir out("zipdd");
            EXPECT_EQ(ExtractAll(path, out.Path()), tamper ? ZipErrorBadZipFile : 0) << signature << tamper;
            if (!tamper) {
                EXPECT_EQ(ReadBytes(out / "dd"), e.data);
            }
        }
    }
}

TEST_F(ZipRead, SmallReadsDeliverTheSameBytesAsLargeOnes)
{
    ZipBuilder b;
    b.entries.push_back(Entry("big", Pattern(300000)));
    b.entries.push_back(Entry("stored", Pattern(70001, 3), 0));
    b.entries.push_back(Entry("empty", "", 8));
    const auto path = Put(b.Build());
    for (unsigned size : {1u, 7u, 4096u, 65536u, 1u << 20}) {
        ScratchDir out("zipsmall");
        ASSERT_EQ(ExtractAll(path, out.Path(), size), 0) << size;
        EXPECT_EQ(ReadBytes(out / "big"), b.entries[0].data) << size;
        EXPECT_EQ(ReadBytes(out / "stored"), b.entries[1].data) << size;
        EXPECT_TRUE(std::filesystem::exists(out / "empty")) << size;
        EXPECT_EQ(std::filesystem::file_size(out / "empty"), 0u) << size;
    }
}

TEST_F(ZipRead, ShortEntryIsReportedAsNotReadToItsEnd)
{
    ZipBuilder b;
    RawEntry e = Entry("short", "abc", 0);
    b.entries.push_back(e);
    std::string bytes = b.Build();
    // Claim a larger uncompressed size in both headers.
    bytes[22] = 5;
    bytes[bytes.find("PK\x01\x02") + 24] = 5;
    const auto path = Put(bytes);
    CZipContainer zip;
    zip.OpenArchive(Win(path), CZipContainer::OpenReadOnly);
    ScratchDir out("zipshort");
    EXPECT_FALSE(zip.ExtractEntry(0, Win(out.Path())));
    EXPECT_FALSE(std::filesystem::exists(out / "short"));
    zip.CloseArchive();
}

TEST_F(ZipRead, MultiVolumeArchivesAreRefusedWith103)
{
    ZipBuilder b;
    b.entries.push_back(Entry("a", "x"));
    std::string bytes = b.Build();
    bytes[bytes.size() - 18] = 1; // number of this disk
    EXPECT_EQ(OpenError(bytes), ZipErrorNoCallback);
    CZipContainer zip;
    EXPECT_EQ(ZipErrorOf([&] { zip.OpenArchive(Win(dir / "mv.zip"), CZipContainer::CreateMultiVolume); }),
              ZipErrorNoCallback);
    EXPECT_TRUE(zip.IsClosed());
}
