// Listing of a folder's entries by Windows-form pattern, in the order the file system returns them.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

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

    CFileFind();
    ~CFileFind();
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
    // The entry is a folder that a search of the drive must not enter, as it leads off the drive or
    // describes the running system rather than holding files: on Linux a pseudo file system (proc, sysfs,
    // devtmpfs and their kin, whose links lead anywhere, other processes' folders included) or a link
    // back up to the drive's root or a folder holding it ("/", the Wine prefix). Windows has neither.
    bool LeadsOffDrive() const;

private:
    struct Impl; // the listing: its entries and where they lie
    std::unique_ptr<Impl> m_impl;
};
