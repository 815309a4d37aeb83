// The locator's rules over the configuration store and folder listings.
#include "locator/VelmoraSearch.h"

#include <cstring>
#include <set>

#include "platform/fs/CFileFind.h"
#include "platform/registry/WinReg.h"

namespace velmora {
namespace {

bool Exists(const std::string& name)
{
    CFileFind finder;
    return finder.FindFile(name);
}

using Visited = std::set<CFileFind::Identity>;

std::string Search(const std::string& folder, Visited& visited)
{
    CFileFind finder;
    for (bool more = finder.FindFile(folder + "\\*.*"); more;) {
        more = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        // Pseudo file systems and links back up to the drive's root lead off the drive: through /proc
        // to any process's folders, or through "/" to other prefixes' drives.
        if (finder.IsDirectory() && !finder.IsPseudoFileSystemFolder() && !finder.HoldsDriveRoot()) {
            CFileFind::Identity identity;
            if (finder.GetIdentity(identity) && visited.insert(identity).second) {
                std::string found = Search(finder.GetFilePath(), visited);
                if (!found.empty())
                    return found;
            }
        }
        if (finder.GetFileName() == kExecutableName) {
            const std::string path = finder.GetFilePath();
            return path.substr(0, path.rfind('\\'));
        }
    }
    return {};
}

} // namespace

std::string LocateFolder()
{
    std::string result;
    HKEY key = nullptr;
    // Reading is all the locator does, and all a standard user may do on the machine's keys: asking for
    // more would make the entry unreadable to everyone but administrators.
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kConfigurationKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char buffer[1000] = {};
        DWORD size = sizeof buffer;
        RegQueryValueEx(key, kConfigurationValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        result.assign(buffer, strnlen(buffer, sizeof buffer));
        if (!Exists(result))
            result.clear();
    }
    if (result.empty()) {
        if (Exists(std::string(kDefaultFolder) + "\\" + kExecutableName))
            result = kDefaultFolder;
        else
            result = SearchFolder("C:");
    }
    return result;
}

std::string SearchFolder(const std::string& folder)
{
    // The start counts as entered, so a link leading back to it is not followed either.
    Visited visited;
    CFileFind finder;
    for (bool more = finder.FindFile(folder + "\\*.*"); more;) {
        more = finder.FindNextFile();
        CFileFind::Identity self;
        if (finder.GetFileName() == "." && finder.GetIdentity(self))
            visited.insert(self);
    }
    return Search(folder, visited);
}

std::string NamesFolder(const std::string& velmoraFolder)
{
    return velmoraFolder + "\\Speakers\\Ysmerel\\Names";
}

std::string WithTrailingBackslash(const std::string& folder)
{
    if (folder.empty() || folder.back() == '\\')
        return folder;
    return folder + '\\';
}

bool HoldsExecutable(const std::string& folderWithBackslash)
{
    return Exists(folderWithBackslash + kExecutableName);
}

} // namespace velmora
