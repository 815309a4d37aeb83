// Listing of a folder's entries by Windows-form pattern, in the order the file system returns them.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/core/WinDefs.h"

// On Windows the entries come as FindFirstFile gives them; on Linux as readdir gives them, "." and ".." and
// hidden ones included. A pattern's last component may hold '*' and '?' (letters A-Z match either case; "*.*"
// is every entry); a plain name finds that one entry, matched as the drive mapping matches names. Usage:
//     CFileFind finder;
//     for (bool more = finder.FindFile("C:\\Apps\\*.*"); more;) { more = finder.FindNextFile(); ... }
class CFileFind
{
public:
    // Device and inode (on Windows: volume serial number and file index) of what an entry names
    // (links followed); equal for one folder reached twice.
    struct Identity
    {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        bool operator<(const Identity& other) const
        {
            return device != other.device ? device < other.device : inode < other.inode;
        }
        bool operator==(const Identity& other) const = default;
    };

    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a listing; false when the folder cannot be listed or nothing matches. The first
    // entry becomes current only with the first FindNextFile.
    bool FindFile(const std::string& pattern = "*.*");
    // Makes the next entry current; false when it is the last one (it stays readable).
    bool FindNextFile();
    void Close();

    std::string GetFileName() const;
    std::string GetFilePath() const; // the pattern's folder part + '\' + name
    std::string GetRoot() const;     // the pattern's folder part with a trailing '\'
    bool IsDots() const;             // "." or ".."
    bool IsDirectory() const;        // a folder, or a link to one
    bool IsHidden() const;
    bool IsReadOnly() const;
    bool IsArchived() const;
    std::uint32_t GetAttributes() const; // FILE_ATTRIBUTE_* of the current entry
    std::uint64_t GetLength() const;
    bool GetLastWriteTime(std::time_t& time) const;
    // False when the entry cannot be examined (a dangling link, removed meanwhile).
    bool GetIdentity(Identity& identity) const;
    // The entry is a link to a folder (a symbolic link, a junction, a mount point): another way into a
    // folder that may lie anywhere, the listing's own folder and those above it included, so following
    // it may loop. An ordinary folder is reached by one path only. Where a backend cannot tell the two
    // apart cheaply, every folder counts as a link.
    bool IsFolderLink() const;
    // A folder of one of the kernel's pseudo file systems (proc, sysfs, devtmpfs and their kin),
    // links followed: it describes the running system rather than holding files, and its links
    // lead anywhere, other processes' folders included.
    bool IsPseudoFileSystemFolder() const;
    // The entry is a link to the root folder of the listing's drive or to a folder that holds it,
    // as a link back up to "/" or to the Wine prefix is. False for a listing without a drive letter.
    bool HoldsDriveRoot() const;

private:
    struct Entry
    {
        std::string name;
        signed char directory = -1; // -1 until known
        // What the Windows listing reports with each name.
        std::uint32_t attributes = 0;
        std::uint64_t length = 0;
        std::time_t written = 0;
        bool folderLink = false;
    };
    const Entry* Current() const;
    std::string HostPath(const Entry& entry) const;

    std::string m_root;       // Windows form, ends in '\' (empty for a pattern without folder)
    std::string m_hostFolder; // host folder the entries lie in
    std::vector<Entry> m_entries;
    size_t m_next = 0; // index of the entry FindNextFile makes current
};
