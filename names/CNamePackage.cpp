// Whole-archive steps of the name commands: unpack every entry all or nothing, or read every entry as a
// check.
#include "names/CNamePackage.h"

#include <vector>

#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "zip/CZipContainer.h"

namespace {

constexpr unsigned kBufferSize = 65536;

// Runs step on an archive opened read-only; after a failure closes it without writing and rethrows.
template <typename Step> void WithArchive(const std::string& archivePath, Step step)
{
    CZipContainer zip;
    zip.OpenArchive(archivePath, CZipContainer::OpenReadOnly);
    try {
        step(zip);
    } catch (...) {
        zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
        throw;
    }
    zip.CloseArchive();
}

} // namespace

void CNamePackage::ExtractAll(const std::string& archivePath, const std::string& folder)
{
    WithArchive(archivePath, [&](CZipContainer& zip) {
        std::vector<std::string> targets;
        for (int i = 0; i < zip.EntryCount(); ++i) {
            CZipEntryHeader header;
            if (zip.GetEntryInfo(i, header) && !header.IsFolder())
                targets.push_back(zip.GetExtractPath(header, folder, true));
        }
        // What a killed install left beside these files goes first.
        RemoveStaleTempFiles(targets);

        // Every file complete and checked beside its target before the first one is replaced; a
        // failure on the way lets every temporary go (their destructors) and replaces nothing.
        // A staged file lets go of its lock once complete: an archive of any size holds a file or two open.
        std::vector<CTempFile> staged(static_cast<size_t>(zip.EntryCount()));
        for (int i = 0; i < zip.EntryCount(); ++i) {
            CTempFile& file = staged[static_cast<size_t>(i)];
            if (zip.StageEntry(i, folder, file, true, std::string(), kBufferSize) != 1)
                throw CZipException(ZipErrorBadZipFile, archivePath);
            file.ReleaseLock();
        }
        CTempFile::MoveAllIntoPlace(staged);
    });
}

void CNamePackage::Verify(const std::string& archivePath)
{
    WithArchive(archivePath, [&](CZipContainer& zip) {
        std::vector<char> buffer(kBufferSize);
        for (int i = 0; i < zip.EntryCount(); ++i) {
            if (!zip.BeginEntryRead(i))
                throw CZipException(ZipErrorBadZipFile, archivePath);
            while (zip.ReadEntryData(buffer.data(), kBufferSize) == kBufferSize) {
            }
            if (zip.EndEntryRead() != 1)
                throw CZipException(ZipErrorBadZipFile, archivePath);
        }
    });
}
