// Listing recorded names: the names folder through the file layer, an archive through the ZIP component.
#include "names/InstalledNames.h"

#include "platform/fs/CFileFind.h"
#include "zip/CZipContainer.h"

namespace namelist {

namespace {

constexpr const char kMarker[] = "^.wav";
constexpr std::size_t kMarkerLength = sizeof kMarker - 1;

} // namespace

std::vector<std::string> InstalledNames(const std::string& namesFolder)
{
    std::vector<std::string> names;
    CFileFind finder;
    for (bool more = finder.FindFile(namesFolder + "\\*.*"); more;) {
        more = finder.FindNextFile();
        const std::string name = finder.GetFileName();
        if (name.find(kMarker) == std::string::npos || finder.IsHidden() || name[0] == '.')
            continue;
        names.push_back(name.substr(0, name.size() - kMarkerLength));
    }
    finder.Close();
    return names;
}

std::vector<std::string> ArchivedNames(const std::string& archive)
{
    std::vector<std::string> names;
    CZipContainer zip;
    zip.OpenArchive(archive, CZipContainer::OpenReadOnly);
    for (int i = 0; i < zip.EntryCount(); ++i) {
        CZipEntryHeader header;
        if (!zip.GetEntryInfo(i, header) || header.IsFolder())
            continue;
        const std::string name = header.GetName();
        if (name.size() > kMarkerLength && name.ends_with(kMarker))
            names.push_back(name.substr(0, name.size() - kMarkerLength));
    }
    zip.CloseArchive();
    return names;
}

} // namespace namelist
