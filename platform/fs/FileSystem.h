// File-system operations on Windows-form paths: attributes, times, existence, folders, copy, delete, move.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/core/WinDefs.h"

// Attributes are the FILE_ATTRIBUTE_ bits (WinDefs.h). On the host: a folder is a directory; read-only
// means nobody may write; hidden is a name starting with '.' or the stored DOS attribute; hidden and
// system are kept in the "user.DOSATTRIB" extended attribute where the file system allows one.

// INVALID_FILE_ATTRIBUTES when the path does not exist.
uint32_t GetFileAttributes(const std::string& path);
// Applies read-only, hidden and system; other bits are ignored. False when the path does not exist.
bool SetFileAttributes(const std::string& path, uint32_t attributes);

bool GetFileModificationTime(const std::string& path, std::time_t& modified);
// Access time = now, modification time = modified (now when -1).
bool SetFileTimes(const std::string& path, std::time_t modified);

bool FileExists(const std::string& path);   // anything at path
bool FolderExists(const std::string& path); // a folder at path
// false when the size cannot be had (absent, a folder, unreadable).
bool GetFileSize(const std::string& path, uint64_t& size);

bool CreateDirectory(const std::string& path); // one level; false when it exists or fails
bool RemoveDirectory(const std::string& path); // an empty folder only
bool DeleteFile(const std::string& path);      // a file, not a folder
// Copies data, attributes and modification time. With failIfExists an existing target is kept.
bool CopyFile(const std::string& from, const std::string& to, bool failIfExists);
// Renames in one step, replacing an existing target file atomically (both in one file system).
bool MoveFileReplacing(const std::string& from, const std::string& to);

// The error number the operating system's last failed call left: errno on Linux, GetLastError on
// Windows. Read it at once: any later call of the system may change it.
long LastOsError();

// True when a new file can be made in folder, or, while it does not exist, in the nearest folder above it
// that does (where the missing ones would be made): a file is made there and removed again. False with
// LastOsError() set otherwise.
bool CanCreateFilesIn(const std::string& folder);

// The user's documents folder, Windows form, ending in '\': the Documents known folder on Windows; on
// Linux the XDG documents folder when it exists, else the home folder. "" when none can be had.
std::string GetDocumentsFolder();

// True for a folder of the installed system, where programs are put and users keep no files: below the
// Program Files folders or the Windows folder on Windows; below /usr, /opt, /bin, /sbin, /lib or /etc on
// Linux.
bool IsSystemFolder(const std::string& folder);

// The user's folder for temporary files (TMPDIR, else the system's), Windows form, ending in '\'.
std::string GetTempFolder();

// True when both paths name the same existing file (links and case-insensitive matches included).
bool IsSameFile(const std::string& a, const std::string& b);
