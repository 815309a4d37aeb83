// Peak resident memory does not grow with entry size while extracting or adding.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/CZipContainer.h"

using namespace ziptest;

namespace {

long PeakKiB()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void WriteLarge(const std::filesystem::path& path, size_t size)
{
    std::ofstream out(path, std::ios::binary);
    const std::string block = Pattern(1 << 20, 11);
    for (size_t done = 0; done < size; done += block.size())
        out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), size - done)));
}

} // namespace

TEST(ZipMemory, PeakResidentMemoryStaysFlatFrom1MBTo200MBEntries)
{
    ScratchDir dir("zipmem");
    WriteLarge(dir / "small.bin", 1 << 20);
    WriteLarge(dir / "large.bin", size_t(200) << 20);

    auto addAndExtract = [&](const char* name, const char* archive) {
        {
            CZipContainer zip;
            zip.OpenArchive(Win(dir / archive), CZipContainer::Create);
            ASSERT_TRUE(zip.AddFileFromDisk(Win(dir / name), 1, false, 7, 65536));
            zip.CloseArchive();
        }
        ScratchDir out("zipmemout");
        ASSERT_EQ(ExtractAll(dir / archive, out.Path()), 0);
        ASSERT_EQ(std::filesystem::file_size(out / name), std::filesystem::file_size(dir / name));
    };
    addAndExtract("small.bin", "small.zip");
    const long baseline = PeakKiB();
    addAndExtract("large.bin", "large.zip");
    const long growth = PeakKiB() - baseline;
    EXPECT_LE(growth, 4 * 1024) << "peak grew by " << growth << " KiB";
}
