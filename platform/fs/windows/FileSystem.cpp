// File-system operations over the Win32 file API; paths are the system's own.
#include "platform/fs/FileSystem.h"

#include <knownfolders.h>
#include <shlobj.h>

#include "platform/fs/detail/FsBackend.h"

namespace {

constexpr DWORD kSettableBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// time_t seconds from 1970 as FILETIME's 100 ns steps from 1601.
FILETIME ToFileTime(std::time_t time)
{
    ULARGE_INTEGER value;
    value.QuadPart = static_cast<ULONGLONG>(time) * 10000000ULL + 116444736000000000ULL;
    FILETIME result;
    result.dwLowDateTime = value.LowPart;
    result.dwHighDateTime = value.HighPart;
    return result;
}

// A handle that only reads or writes metadata; folders open too.
HANDLE OpenForMetadata(const std::string& path, DWORD access)
{
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

uint32_t GetFileAttributes(const std::string& path)
{
    return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(path.c_str());
}

bool SetFileAttributes(const std::string& path, uint32_t attributes)
{
    const DWORD current = GetFileAttributes(path);
    if (current == INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD wanted = (current & ~kSettableBits) | (attributes & kSettableBits);
    wanted &= ~static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY);
    return ::SetFileAttributesA(path.c_str(), wanted ? wanted : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool GetFileModificationTime(const std::string& path, std::time_t& modified)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    ULARGE_INTEGER value;
    value.LowPart = data.ftLastWriteTime.dwLowDateTime;
    value.HighPart = data.ftLastWriteTime.dwHighDateTime;
    modified = static_cast<std::time_t>((value.QuadPart - 116444736000000000ULL) / 10000000ULL);
    return true;
}

bool SetFileTimes(const std::string& path, std::time_t modified)
{
    const HANDLE handle = OpenForMetadata(path, FILE_WRITE_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const FILETIME written = modified == static_cast<std::time_t>(-1) ? now : ToFileTime(modified);
    const bool ok = SetFileTime(handle, nullptr, &now, &written) != FALSE;
    CloseHandle(handle);
    return ok;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectory(const std::string& path)
{
    return !path.empty() && ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool RemoveDirectory(const std::string& path)
{
    return !path.empty() && ::RemoveDirectoryA(path.c_str()) != FALSE;
}

bool DeleteFile(const std::string& path)
{
    return !path.empty() && ::DeleteFileA(path.c_str()) != FALSE;
}

bool CopyFile(const std::string& from, const std::string& to, bool failIfExists)
{
    // CopyFile itself keeps the attributes and the modification time and refuses a read-only target.
    return !from.empty() && !to.empty() &&
           ::CopyFileA(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool MoveFileReplacing(const std::string& from, const std::string& to)
{
    if (from.empty() || to.empty() || FolderExists(to)) {
        SetLastError(from.empty() || to.empty() ? ERROR_INVALID_NAME : ERROR_ACCESS_DENIED);
        return false;
    }
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::string GetTempFolder()
{
    char buffer[MAX_PATH + 2];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    std::string folder = (length > 0 && length < sizeof buffer) ? std::string(buffer, length) : std::string();
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    for (auto [path, information] : {std::pair{&a, &first}, std::pair{&b, &second}}) {
        const HANDLE handle = OpenForMetadata(*path, 0);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        const bool ok = GetFileInformationByHandle(handle, information) != FALSE;
        CloseHandle(handle);
        if (!ok)
            return false;
    }
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

namespace {

// A known folder's path in the ANSI code page, ending in '\\'; "" when the system has none.
std::string KnownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* wide = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &wide))) {
        const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        if (size > 1) {
            folder.resize(static_cast<size_t>(size));
            WideCharToMultiByte(CP_ACP, 0, wide, -1, folder.data(), size, nullptr, nullptr);
            folder.resize(static_cast<size_t>(size - 1));
        }
    }
    CoTaskMemFree(wide);
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

} // namespace

std::string GetDocumentsFolder()
{
    return KnownFolder(FOLDERID_Documents);
}

bool IsSystemFolder(const std::string& folder)
{
    std::string path = folder;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    for (REFKNOWNFOLDERID id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86, FOLDERID_Windows}) {
        const std::string system = KnownFolder(id);
        if (!system.empty() && path.size() >= system.size() &&
            _strnicmp(path.c_str(), system.c_str(), system.size()) == 0)
            return true;
    }
    return false;
}
