// Extracted files take the room of their own data on the disk, whatever was set aside while writing them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"

using namespace ziptest;

namespace {

uint64_t AllocatedBytes(const std::filesystem::path& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? uint64_t(st.st_blocks) * 512 : 0;
}

} // namespace

TEST(ZipExtractRoom, FilesHoldTheirDataAndNoMoreRoomThanIt)
{
    ScratchDir dir("ziproom");
    ZipBuilder b;
    b.entries.push_back(Entry("deflated.wav", Pattern(1 << 20, 3)));
    b.entries.push_back(Entry("stored.wav", Pattern(200001, 4), 0));
    RawEntry late = Entry("descriptor.wav", Pattern(300000, 5));
    late.descriptor = true;
    b.entries.push_back(late);
    b.entries.push_back(Entry("empty.txt", ""));
    // Compresses a thousandfold: the room set aside must follow the plain size, not the packed one.
    b.entries.push_back(Entry("zeros.bin", std::string(3 << 20, '\0')));
    WriteBytes(dir / "a.zip", b.Build());
    ASSERT_EQ(ExtractAll(dir / "a.zip", dir / "out"), 0);

    for (const RawEntry& e : b.entries) {
        const auto file = dir / "out" / e.name;
        EXPECT_EQ(ReadBytes(file), e.data) << e.name;
        // Whole blocks of the data, with slack for a file system's own rounding, and nothing reserved
        // past the end left behind.
        EXPECT_LE(AllocatedBytes(file), (e.data.size() + 4095) / 4096 * 4096 + 65536) << e.name;
    }
}

// An entry whose size cannot be trusted is still refused and leaves nothing behind.
TEST(ZipExtractRoom, AnEntryClaimingMoreThanDeflateCanMakeFailsAndLeavesNoFile)
{
    ScratchDir dir("ziproomlie");
    ZipBuilder b;
    RawEntry liar = Entry("liar.wav", std::string(64 << 20, 'x'));
    liar.packedOverride = std::string(16, '\0');
    liar.packedOverrideSet = true;
    b.entries.push_back(liar);
    WriteBytes(dir / "a.zip", b.Build());
    EXPECT_NE(ExtractAll(dir / "a.zip", dir / "out"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "out" / "liar.wav"));
    for (const auto& item : std::filesystem::directory_iterator(dir / "out"))
        ADD_FAILURE() << "left behind: " << item.path();
}
