// The locator's rules over the configuration store and folder listings.
#include "locator/VelmoraSearch.h"

#include <cstring>
#include <optional>
#include <set>
#include <vector>

#include "platform/fs/CFileFind.h"
#include "platform/fs/FileSystem.h"
#include "platform/registry/WinReg.h"

namespace velmora {
namespace {

bool Exists(const std::string& name)
{
    CFileFind finder;
    return finder.FindFile(name);
}

using Identity = CFileFind::Identity;

// One depth-first walk in listing order. Ordinary folders are entered as they come: they are reached by
// one path only and cannot lead back up (NTFS has no hard links to folders). A link to a folder (a junction,
// a symbolic link, a mount point) is entered unless it leads to the folder being listed or one above it,
// which would loop (Windows has such junctions: "Application Data" in AppData\Local leads to AppData\Local),
// or to a folder already entered through a link. Links are followed rather than skipped because one may lead
// off the folders the walk reaches otherwise (a mounted volume, a folder elsewhere), and links are few, so
// checking them costs nearly nothing, where an identity for every folder would cost a file open each on
// Windows. A folder that cannot be listed counts as empty and as not entered: "Documents and Settings"
// leads to C:\Users but refuses a listing, and C:\Users is still searched when its turn comes.
class Walk
{
public:
    std::string Search(const std::string& folder, const std::optional<Identity>& identity)
    {
        CFileFind finder;
        bool more = finder.FindFile(folder + "\\*.*");
        if (!more)
            return {};
        if (identity)
            m_linked.insert(*identity);
        m_path.push_back({folder, identity});
        std::string found;
        while (more && found.empty()) {
            more = finder.FindNextFile();
            if (finder.IsDots())
                continue;
            // Pseudo file systems and links back up to the drive's root lead off the drive: through /proc
            // to any process's folders, or through "/" to other prefixes' drives.
            if (finder.IsDirectory() && !finder.LeadsOffDrive()) {
                if (!finder.IsFolderLink()) {
                    found = Search(finder.GetFilePath(), std::nullopt);
                } else if (Identity target; finder.GetIdentity(target) && !m_linked.count(target) &&
                                            !LeadsBackUp(finder.GetFilePath(), target)) {
                    found = Search(finder.GetFilePath(), target);
                }
            }
            if (found.empty() && finder.GetFileName() == kExecutableName) {
                const std::string path = finder.GetFilePath();
                found = path.substr(0, path.rfind('\\'));
            }
        }
        m_path.pop_back();
        return found;
    }

private:
    struct Level
    {
        std::string folder;
        std::optional<Identity> identity; // known for folders entered through a link and the start
    };

    // Does the link at linkPath, leading to target, lead to a folder being listed? The nearest first: a
    // link back up mostly leads to the folder that holds it.
    bool LeadsBackUp(const std::string& linkPath, const Identity& target) const
    {
        for (auto level = m_path.rbegin(); level != m_path.rend(); ++level) {
            if (level->identity ? *level->identity == target
                                : IsSameFile(linkPath, OpenablePath(level->folder)))
                return true;
        }
        return false;
    }

    // "C:" names the drive's current folder when opened; its root is "C:\".
    static std::string OpenablePath(const std::string& folder)
    {
        return folder.size() == 2 && folder[1] == ':' ? folder + '\\' : folder;
    }

    std::vector<Level> m_path;   // the folders being listed, outermost first
    std::set<Identity> m_linked; // the folders entered through a link (on Linux, every folder)
};

} // namespace

namespace {

// The entry's text as stored, "" when there is none. Reading is all the locator does, and all a standard
// user may do on the machine's keys: asking for more would make the entry unreadable to everyone but
// administrators. The native view goes first; the 32-bit view, where a 32-bit installer writes, is read
// also when the native view has the key without the value (an uninstaller's leftover).
std::string ConfigurationEntry()
{
    const REGSAM views[] = {0, KEY_WOW64_32KEY};
    for (const REGSAM view : views) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kConfigurationKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
            continue;
        char buffer[1000] = {};
        DWORD size = sizeof buffer;
        RegQueryValueEx(key, kConfigurationValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        const std::string entry(buffer, strnlen(buffer, sizeof buffer));
        if (!entry.empty())
            return entry;
    }
    return std::string();
}

} // namespace

std::string LocateFolder()
{
    std::string result = ConfigurationEntry();
    if (!Exists(result))
        result.clear();
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
    // The start counts as entered, so a link leading back to it is not followed either. Its identity is
    // that of its "." entry (a drive's root on Windows has none; then its path is compared).
    std::optional<Identity> start;
    CFileFind finder;
    for (bool more = finder.FindFile(folder + "\\*.*"); more && !start;) {
        more = finder.FindNextFile();
        if (Identity self; finder.GetFileName() == "." && finder.GetIdentity(self))
            start = self;
    }
    return Walk().Search(folder, start);
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
