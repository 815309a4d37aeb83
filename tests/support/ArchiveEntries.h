// The entry names of a ZIP archive as our own reader lists them.
#pragma once

#include <string>
#include <vector>

#include "zip/CZipContainer.h"

// In index order; the archive is named as the program writes paths.
inline std::vector<std::string> ArchiveEntries(const std::string& archive)
{
    CZipContainer zip;
    zip.OpenArchive(archive, CZipContainer::OpenReadOnly);
    std::vector<std::string> names;
    for (int i = 0; i < zip.EntryCount(); ++i) {
        CZipEntryHeader header;
        zip.GetEntryInfo(i, header);
        names.push_back(header.GetName());
    }
    zip.CloseArchive();
    return names;
}
