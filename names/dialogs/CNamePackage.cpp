// Whole-archive steps of the name commands: unpack every entry, or read every entry as a check.
#include "names/dialogs/CNamePackage.h"

#include <vector>

#include "zip/CZipContainer.h"

namespace {

constexpr unsigned kBufferSize = 65536;

// Runs step on an archive opened read-only; after a failure closes it without writing and rethrows.
template <typename Step>
void WithArchive(const std::string& archivePath, Step step)
{
    CZipContainer zip;
    zip.OpenArchive(archivePath, CZipContainer::OpenReadOnly);
    try
    {
        step(zip);
    }
    catch (...)
    {
        zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
        throw;
    }
    zip.CloseArchive();
}

} // namespace

void CNamePackage::ExtractAll(const std::string& archivePath, const std::string& folder)
{
    WithArchive(archivePath, [&](CZipContainer& zip) {
        for (int i = 0; i < zip.EntryCount(); ++i)
            if (!zip.ExtractEntry(i, folder, true, std::string(), kBufferSize))
                throw CZipException(ZipErrorBadZipFile, archivePath);
    });
}

void CNamePackage::Verify(const std::string& archivePath)
{
    WithArchive(archivePath, [&](CZipContainer& zip) {
        std::vector<char> buffer(kBufferSize);
        for (int i = 0; i < zip.EntryCount(); ++i)
        {
            if (!zip.BeginEntryRead(i))
                throw CZipException(ZipErrorBadZipFile, archivePath);
            while (zip.ReadEntryData(buffer.data(), kBufferSize) == kBufferSize)
            {
            }
            if (zip.EndEntryRead() != 1)
                throw CZipException(ZipErrorBadZipFile, archivePath);
        }
    });
}
