// zentrimo-zip: list, extract, add to and test archives through CZipContainer, from a shell.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/fs/CFileException.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinPath.h"
#include "zip/CZipContainer.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: zentrimo-zip list ARCHIVE\n"
                         "       zentrimo-zip extract ARCHIVE FOLDER\n"
                         "       zentrimo-zip add ARCHIVE FILE...\n"
                         "       zentrimo-zip test ARCHIVE\n");
    return 2;
}

std::string Windows(const char* hostPath)
{
    return winpath::ToWindows(winpath::FromText(hostPath));
}

int List(const std::string& archive)
{
    CZipContainer zip;
    zip.OpenArchive(archive, CZipContainer::OpenReadOnly);
    for (int i = 0; i < zip.EntryCount(); ++i) {
        CZipEntryHeader header;
        zip.GetEntryInfo(i, header);
        const unsigned t = header.m_uDosTime;
        const unsigned d = header.m_uDosDate;
        std::printf("%d\t%s\t%s\t%u\t%u\t%08x\t%04u-%02u-%02u %02u:%02u:%02u\n", i, header.GetName().c_str(),
                    header.m_uMethod == kMethodStored     ? "stored"
                    : header.m_uMethod == kMethodDeflated ? "deflated"
                                                          : "other",
                    header.m_uPackedSize, header.m_uPlainSize, header.m_uCrc, 1980 + (d >> 9), (d >> 5) & 0xF,
                    d & 0x1F, t >> 11, (t >> 5) & 0x3F, 2 * (t & 0x1F));
    }
    zip.CloseArchive();
    return 0;
}

int Extract(const std::string& archive, const std::string& folder)
{
    CZipContainer zip;
    zip.OpenArchive(archive, CZipContainer::OpenExisting, 0);
    for (int i = 0; i < zip.EntryCount(); ++i)
        zip.ExtractEntry(i, folder, true, std::string(), 65536);
    zip.CloseArchive();
    return 0;
}

int Add(const std::string& archive, int count, char** files)
{
    CZipContainer zip;
    zip.OpenArchive(archive, FileExists(archive) ? CZipContainer::OpenExisting : CZipContainer::Create, 0);
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        if (!zip.AddFileFromDisk(Windows(files[i]), -1, false, 7, 65536)) {
            std::fprintf(stderr, "zentrimo-zip: %s: not added\n", files[i]);
            ++failures;
        }
    }
    zip.CloseArchive();
    return failures == 0 ? 0 : 1;
}

int Test(const std::string& archive)
{
    CZipContainer zip;
    zip.OpenArchive(archive, CZipContainer::OpenReadOnly);
    CZipBuffer buffer(65536);
    int failures = 0;
    for (int i = 0; i < zip.EntryCount(); ++i) {
        CZipEntryHeader header;
        zip.GetEntryInfo(i, header);
        if (header.IsFolder())
            continue;
        if (!zip.BeginEntryRead(i)) {
            std::fprintf(stderr, "zentrimo-zip: %s: cannot be read\n", header.GetName().c_str());
            ++failures;
            continue;
        }
        while (zip.ReadEntryData(buffer.Data(), 65536) == 65536) {
        }
        if (zip.EndEntryRead() != 1) {
            std::fprintf(stderr, "zentrimo-zip: %s: not read to its end\n", header.GetName().c_str());
            ++failures;
        }
    }
    zip.CloseArchive();
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    const std::string archive = Windows(argv[2]);
    try {
        if (command == "list" && argc == 3)
            return List(archive);
        if (command == "extract" && argc == 4)
            return Extract(archive, Windows(argv[3]));
        if (command == "add" && argc >= 4)
            return Add(archive, argc - 3, argv + 3);
        if (command == "test" && argc == 3)
            return Test(archive);
        return Usage();
    } catch (const CZipException& e) {
        std::fprintf(stderr, "zentrimo-zip: %s (%d)\n", e.GetErrorDescription().c_str(), e.m_iCode);
    } catch (const CFileException& e) {
        std::fprintf(stderr, "zentrimo-zip: %s (%d)\n", e.GetErrorMessage().c_str(), e.m_cause);
    }
    return 1;
}
