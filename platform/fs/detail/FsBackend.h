// What fs/linux/ and fs/windows/ must each define: the file layer's backend contract (internal).
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/fs/CFile.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CFileFind.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ModulePath.h"
#include "platform/fs/WinPath.h"

// Members of the public classes each backend defines (the shared .cpp files define the rest):
//   CFile::Impl            the open file as the system holds it; CFile::ImplDelete frees it
//   CFile::Open            opens by path with the mode and share flags; false and *error on failure
//   CFile::Close           closes, throwing what the system reports; Abort closes ignoring it
//   CFile::Read / Write    move all the bytes asked for (Read fewer only at the end), or throw
//   CFile::Seek            moves the file pointer; GetPosition and GetLength read it and the size
//   CFile::SetLength       cuts or extends; Reserve lays out room; Flush pushes data to the device
//   CFileException::OsErrorToCause   the cause for one of the system's error numbers
//   CFileFind::FindFile    fills the listing (Impl below) for a pattern; false when it is empty
//   CFileFind::IsDirectory, GetAttributes, GetLength, GetLastWriteTime, GetIdentity   of the current entry
//   CFileFind::IsFolderLink, LeadsOffDrive   the current entry's way out of the folder tree
//   CTempFile::Create      makes and locks the hidden temporary; Move renames it over the target
//   CTempFile::ReleaseLock lets go of the lock; Release of the lock and the file's name

// A folder listing: what the shared CFileFind.cpp walks and each backend fills.
struct CFileFind::Impl
{
    struct Entry
    {
        std::string name;
        signed char directory = -1; // -1 until known
        // What a Windows listing reports with each name.
        std::uint32_t attributes = 0;
        std::uint64_t length = 0;
        std::time_t written = 0;
        bool folderLink = false;
    };

    std::string root;       // Windows form, ends in '\' (empty for a pattern without folder)
    std::string hostFolder; // the listed folder as the system's own calls name it
    std::vector<Entry> entries;
    std::size_t next = 0; // index of the entry FindNextFile makes current

    const Entry* Current() const { return next == 0 ? nullptr : &entries[next - 1]; }
    // Each backend: the entry's path as the system's own calls name it.
    std::string HostPath(const Entry& entry) const;
};

// The operating system's own words for one of its error numbers (errno on Linux, GetLastError on
// Windows); never empty.
std::string OsErrorText(long error);

// FileSystem.h, ModulePath.h and CTempFile.h: every function is the backend's, except GetFileSize and
// CanCreateFilesIn, which the shared FileSystem.cpp writes over CFile and CTempFile.
std::uint32_t GetFileAttributes(const std::string& path); // INVALID_FILE_ATTRIBUTES if absent
bool SetFileAttributes(const std::string& path, std::uint32_t attributes); // read-only, hidden, system
bool GetFileModificationTime(const std::string& path, std::time_t& modified);
bool SetFileTimes(const std::string& path, std::time_t modified);                 // -1: now
bool FileExists(const std::string& path);                                         // anything at path
bool FolderExists(const std::string& path);                                       // a folder at path
bool CreateDirectory(const std::string& path);                                    // one level
bool RemoveDirectory(const std::string& path);                                    // an empty folder
bool DeleteFile(const std::string& path);                                         // a file, not a folder
bool CopyFile(const std::string& from, const std::string& to, bool failIfExists); // data, marks, time
bool MoveFileReplacing(const std::string& from, const std::string& to);           // one atomic rename
long LastOsError();                                                               // errno or GetLastError
std::string GetDocumentsFolder();                                                 // ends in '\'; "" when none
bool IsSystemFolder(const std::string& folder);                                   // where programs are put
std::string GetTempFolder();                                                      // ends in '\'
bool IsSameFile(const std::string& a, const std::string& b);                      // one existing file
std::string ModuleFileName();                                                     // the running executable
// Linux defines GetModuleFileName (ModulePath.h) as well: Windows takes it from the system.
bool KeepAside(const std::string& path, std::string& kept);        // a second, hidden name
int RemoveStaleTempFiles(const std::vector<std::string>& targets); // a killed run's temporaries

// WinPath.h: the mapping between the program's paths and the system's.
namespace winpath {
std::filesystem::path Prefix();                               // the Wine prefix; empty on Windows
std::filesystem::path DriveRoot(char drive);                  // empty when not mapped
std::filesystem::path ToHost(const std::string& windowsPath); // the system's path of a program's path
std::string ToWindows(const std::filesystem::path& hostPath); // and back
std::filesystem::path FromText(const std::string& text);      // a command line's path
} // namespace winpath
