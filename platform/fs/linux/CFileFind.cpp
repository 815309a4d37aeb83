// Folder listings through opendir/readdir on the host folder a Windows-form pattern maps to.
#include "platform/fs/CFileFind.h"

#include <dirent.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/fs/detail/FsBackend.h"

namespace {

char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' any run, '?' one character, letters A-Z in either case. Iterative with one back-track point.
bool Matches(const std::string& pattern, const std::string& name)
{
    if (pattern == "*" || pattern == "*.*")
        return true;
    size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool HasWildcards(const std::string& text)
{
    return text.find_first_of("*?") != std::string::npos;
}

// Devices of the devtmpfs mounts. statfs reports devtmpfs as plain tmpfs, so only the mount table
// tells them apart; it is read once, as /dev is mounted before any program starts.
const std::set<dev_t>& DevtmpfsDevices()
{
    static const std::set<dev_t> devices = [] {
        std::set<dev_t> found;
        std::ifstream table("/proc/self/mountinfo");
        for (std::string line; std::getline(table, line);) {
            // "id parent major:minor root mount-point options [optional...] - type source ..."
            std::istringstream fields(line);
            std::string id, parent, device, field;
            fields >> id >> parent >> device;
            while (fields >> field && field != "-") {
            }
            unsigned major = 0, minor = 0;
            if (fields >> field && field == "devtmpfs" &&
                std::sscanf(device.c_str(), "%u:%u", &major, &minor) == 2)
                found.insert(makedev(major, minor));
        }
        return found;
    }();
    return devices;
}

bool IsPseudoFileSystem(const std::string& hostPath)
{
    struct statfs info
    {
    };
    if (statfs(hostPath.c_str(), &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case BPF_FS_MAGIC:
    case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC:
    case BINFMTFS_MAGIC:
    case NSFS_MAGIC:
        return true;
    case TMPFS_MAGIC: {
        struct stat node
        {
        };
        return stat(hostPath.c_str(), &node) == 0 && DevtmpfsDevices().count(node.st_dev) != 0;
    }
    default:
        return false;
    }
}

} // namespace

bool CFileFind::FindFile(const std::string& pattern)
{
    Close();
    const size_t cut = pattern.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut);
    std::string name = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    if (cut == std::string::npos && pattern.size() >= 2 && pattern[1] == ':') {
        folder = pattern.substr(0, 2); // "C:*.*"
        name = pattern.substr(2);
    }
    if (name.empty())
        return false;
    std::string hostFolderName;
    if (cut != std::string::npos) {
        m_impl->root = folder + '\\';
        hostFolderName = folder.empty() ? "\\" : folder; // "\*.*" lists the current drive's root
    } else if (!folder.empty()) {
        m_impl->root = folder + '\\';
        hostFolderName = folder;
    } else {
        hostFolderName = ".";
    }
    m_impl->hostFolder = winpath::ToHost(hostFolderName).string();
    if (m_impl->hostFolder.empty())
        return false;

    if (!HasWildcards(name)) {
        // The drive mapping finds the entry's real name when only its case differs.
        const std::filesystem::path host = winpath::ToHost(m_impl->root + name);
        struct stat info
        {
        };
        if (host.empty() || lstat(host.c_str(), &info) != 0)
            return false;
        m_impl->hostFolder = host.parent_path().string();
        m_impl->entries.push_back({host.filename().string(), -1});
        return true;
    }

    DIR* dir = opendir(m_impl->hostFolder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = readdir(dir)) {
        if (!Matches(name, entry->d_name))
            continue;
        signed char directory = -1;
        if (entry->d_type == DT_DIR)
            directory = 1;
        else if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
            directory = 0;
        m_impl->entries.push_back({entry->d_name, directory});
    }
    closedir(dir);
    return !m_impl->entries.empty();
}

std::string CFileFind::Impl::HostPath(const Entry& entry) const
{
    return hostFolder + (hostFolder.empty() || hostFolder.back() == '/' ? "" : "/") + entry.name;
}

bool CFileFind::IsDirectory() const
{
    const Impl::Entry* entry = m_impl->Current();
    if (!entry)
        return false;
    if (entry->directory < 0) {
        struct stat info
        {
        };
        const_cast<Impl::Entry*>(entry)->directory =
            stat(m_impl->HostPath(*entry).c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 1 : 0;
    }
    return entry->directory == 1;
}

std::uint32_t CFileFind::GetAttributes() const
{
    const Impl::Entry* entry = m_impl->Current();
    if (!entry)
        return 0;
    // Dots have no Windows-form path of their own that maps back to them.
    if (IsDots())
        return FILE_ATTRIBUTE_DIRECTORY;
    const std::uint32_t attributes = GetFileAttributes(GetFilePath());
    return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
}

std::uint64_t CFileFind::GetLength() const
{
    const Impl::Entry* entry = m_impl->Current();
    struct stat info
    {
    };
    if (!entry || stat(m_impl->HostPath(*entry).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

bool CFileFind::GetLastWriteTime(std::time_t& time) const
{
    const Impl::Entry* entry = m_impl->Current();
    struct stat info
    {
    };
    if (!entry || stat(m_impl->HostPath(*entry).c_str(), &info) != 0)
        return false;
    time = info.st_mtime;
    return true;
}

bool CFileFind::GetIdentity(Identity& identity) const
{
    const Impl::Entry* entry = m_impl->Current();
    struct stat info
    {
    };
    if (!entry || stat(m_impl->HostPath(*entry).c_str(), &info) != 0)
        return false;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.inode = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

bool CFileFind::IsFolderLink() const
{
    // Not only symbolic links: a bind mount looks like any other folder, and a folder's identity costs
    // one stat here, so every folder counts.
    return IsDirectory();
}

namespace {

// A link at hostPath, leading to target, that leads back up to the root folder of root's drive or to a
// folder that holds it, as a link to "/" or to the Wine prefix does.
bool LinksBackToDriveRoot(const std::string& root, const std::string& hostPath,
                          const CFileFind::Identity& target)
{
    if (root.size() < 2 || root[1] != ':')
        return false;
    // Only a link leads back up: a folder of the drive itself lies below the drive's root. This also
    // spares the walk below for nearly every folder of a search.
    struct stat link
    {
    };
    if (lstat(hostPath.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return false;
    std::error_code error;
    std::filesystem::path folder = std::filesystem::weakly_canonical(winpath::DriveRoot(root[0]), error);
    if (error || folder.empty())
        return false;
    // The drive's root and each folder above it, up to the host's root.
    for (;;) {
        struct stat info
        {
        };
        if (stat(folder.c_str(), &info) == 0 &&
            CFileFind::Identity{static_cast<std::uint64_t>(info.st_dev),
                                static_cast<std::uint64_t>(info.st_ino)} == target)
            return true;
        if (folder == folder.root_path() || !folder.has_parent_path())
            return false;
        folder = folder.parent_path();
    }
}

} // namespace

bool CFileFind::LeadsOffDrive() const
{
    const Impl::Entry* entry = m_impl->Current();
    if (!entry || !IsDirectory())
        return false;
    const std::string hostPath = m_impl->HostPath(*entry);
    Identity target;
    return IsPseudoFileSystem(hostPath) ||
           (GetIdentity(target) && LinksBackToDriveRoot(m_impl->root, hostPath, target));
}
