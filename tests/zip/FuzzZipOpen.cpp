// Fuzz entry: arbitrary bytes opened as an archive, every entry extracted into a scratch folder.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/fs/CFileException.h"
#include "platform/fs/WinPath.h"
#include "tests/support/UniqueTempDir.h"
#include "zip/CZipContainer.h"

namespace {

// Entries are extracted only up to this size, so that a small input cannot fill the disk.
constexpr uint32_t kMaxExtract = 4u << 20;

const std::filesystem::path& Scratch()
{
    // Never destroyed, so that the clean-up at exit still knows it.
    static const std::filesystem::path* root = [] {
        auto* path = new std::filesystem::path(MakeUniqueTempDir("fuzz"));
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(Scratch(), ec);
        });
        return path;
    }();
    return *root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path archive = Scratch() / "input.zip";
    const std::filesystem::path folder = Scratch() / "out";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder);
    {
        std::ofstream out(archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::string target = winpath::ToWindows(folder);
    // Files that entries were extracted to; anything else found afterwards was left behind.
    std::set<std::filesystem::path> extracted;
    CZipContainer zip;
    try {
        zip.OpenArchive(winpath::ToWindows(archive), CZipContainer::OpenExisting, 0);
        for (int i = 0; i < zip.EntryCount(); ++i) {
            CZipEntryHeader header;
            if (!zip.GetEntryInfo(i, header))
                std::abort();
            const std::string path = zip.GetExtractPath(header, target, true);
            if (path.compare(0, target.size(), target) != 0 ||
                (path.size() > target.size() && path[target.size()] != '\\'))
                std::abort(); // would leave the target folder
            if (header.m_uPlainSize > kMaxExtract || header.m_uPackedSize > kMaxExtract)
                continue;
            try {
                if (zip.ExtractEntry(i, target, true, std::string(), 4096))
                    extracted.insert(winpath::ToHost(path));
            } catch (const CZipException&) {
                zip.EndEntryRead(std::string(), true);
            } catch (const CFileException&) {
                zip.EndEntryRead(std::string(), true);
            }
        }
        zip.CloseArchive();
    } catch (const CZipException&) {
        zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
    } catch (const CFileException&) {
        zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
    }
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder, ec))
        if (item.is_regular_file() && !extracted.count(item.path()))
            std::abort(); // a temporary or partial file left behind
    return 0;
}
