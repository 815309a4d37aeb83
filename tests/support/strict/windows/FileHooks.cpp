// The file calls of the strict layer: each one counts for the fault seam, then meets the documented rules
// that Wine does not enforce, then goes to the system.
#include <initializer_list>

#include "tests/support/strict/FaultSeam.h"
#include "tests/support/strict/windows/StrictLayer.h"

namespace strict::win {
namespace {

// The system's functions, as the import table had them.
decltype(&CreateFileA) g_CreateFileA;
decltype(&CreateFileW) g_CreateFileW;
decltype(&CloseHandle) g_CloseHandle;
decltype(&WriteFile) g_WriteFile;
decltype(&FlushFileBuffers) g_FlushFileBuffers;
decltype(&SetEndOfFile) g_SetEndOfFile;
decltype(&SetFileTime) g_SetFileTime;
decltype(&SetFileInformationByHandle) g_SetFileInformationByHandle;
decltype(&CopyFileA) g_CopyFileA;
decltype(&CopyFileW) g_CopyFileW;
decltype(&CopyFileExA) g_CopyFileExA;
decltype(&CopyFileExW) g_CopyFileExW;
decltype(&MoveFileA) g_MoveFileA;
decltype(&MoveFileW) g_MoveFileW;
decltype(&MoveFileExA) g_MoveFileExA;
decltype(&MoveFileExW) g_MoveFileExW;
decltype(&MoveFileWithProgressA) g_MoveFileWithProgressA;
decltype(&MoveFileWithProgressW) g_MoveFileWithProgressW;
decltype(&ReplaceFileA) g_ReplaceFileA;
decltype(&ReplaceFileW) g_ReplaceFileW;
decltype(&DeleteFileA) g_DeleteFileA;
decltype(&DeleteFileW) g_DeleteFileW;
decltype(&CreateDirectoryA) g_CreateDirectoryA;
decltype(&CreateDirectoryW) g_CreateDirectoryW;
decltype(&CreateDirectoryExA) g_CreateDirectoryExA;
decltype(&CreateDirectoryExW) g_CreateDirectoryExW;
decltype(&RemoveDirectoryA) g_RemoveDirectoryA;
decltype(&RemoveDirectoryW) g_RemoveDirectoryW;
decltype(&CreateHardLinkA) g_CreateHardLinkA;
decltype(&CreateHardLinkW) g_CreateHardLinkW;
decltype(&SetFileAttributesA) g_SetFileAttributesA;
decltype(&SetFileAttributesW) g_SetFileAttributesW;

constexpr DWORD kWriteRights = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA |
                               FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER;

// Why a call fails: the fault seam's turn or a rule, with the error Windows gives.
struct Refusal
{
    DWORD error = 0;
    const char* rule = nullptr;
    explicit operator bool() const { return error != 0; }
};

Refusal FaultDue()
{
    long error = 0;
    if (!detail::FileCallFails(error))
        return {};
    return {static_cast<DWORD>(error), "the fault seam's armed call"};
}

// Reports a refusal and sets the last error; the caller returns its failure value.
bool Refused(const char* call, const Path& path, const Refusal& refusal)
{
    if (!refusal)
        return false;
    Report(call, path.full, refusal.error, refusal.rule);
    SetLastError(refusal.error);
    return true;
}

DWORD Attributes(const Path& path)
{
    return path.full.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.full.c_str());
}

bool IsFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A standard user may read below the Program Files folders and the Windows folder, nothing more: their
// access lists give Users read and execute only, and a manifested 64-bit program gets no virtualisation.
Refusal StandardUsersFolders(std::initializer_list<const Path*> paths)
{
    if (!StandardUserNow())
        return {};
    for (const Path* path : paths)
        if (IsProtected(path->key))
            return {ERROR_ACCESS_DENIED, "a standard user changes nothing below Program Files or Windows"};
    return {};
}

Refusal OpenRefusal(const Path& path, DWORD access, DWORD disposition, DWORD flags)
{
    const DWORD attributes = Attributes(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const bool changes = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING ||
                         (disposition == CREATE_NEW && !exists) || (disposition == OPEN_ALWAYS && !exists) ||
                         (access & kWriteRights) || (flags & FILE_FLAG_DELETE_ON_CLOSE);
    if (changes)
        if (const Refusal refusal = StandardUsersFolders({&path}))
            return refusal;
    // CreateFile, "Files": "If CREATE_ALWAYS and FILE_ATTRIBUTE_NORMAL are specified, CreateFile fails and
    // sets the last error to ERROR_ACCESS_DENIED if the file exists and has the FILE_ATTRIBUTE_HIDDEN or
    // FILE_ATTRIBUTE_SYSTEM attribute. To avoid the error, specify the same attributes as the existing
    // file." TRUNCATE_EXISTING does not have this restriction on Windows (rust-lang/rust#115745 and
    // #116438, libuv/libuv#3380: truncating an existing hidden file that way works), so it passes here too.
    if (disposition == CREATE_ALWAYS && IsFile(attributes) &&
        (((attributes & FILE_ATTRIBUTE_HIDDEN) && !(flags & FILE_ATTRIBUTE_HIDDEN)) ||
         ((attributes & FILE_ATTRIBUTE_SYSTEM) && !(flags & FILE_ATTRIBUTE_SYSTEM))))
        return {ERROR_ACCESS_DENIED, "CREATE_ALWAYS over a hidden or system file without its marks"};
    return {};
}

Refusal CopyRefusal(const Path& to, bool failIfExists)
{
    if (const Refusal refusal = StandardUsersFolders({&to}))
        return refusal;
    // CopyFile, Remarks: "If the destination file already exists and has the FILE_ATTRIBUTE_HIDDEN or
    // FILE_ATTRIBUTE_READONLY attribute set, this function fails with ERROR_ACCESS_DENIED." Wine copies.
    const DWORD attributes = Attributes(to);
    if (!failIfExists && IsFile(attributes) &&
        (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY)))
        return {ERROR_ACCESS_DENIED, "a copy onto a hidden or read-only file"};
    return {};
}

Refusal MoveRefusal(const Path& from, const Path& to, DWORD flags)
{
    if (const Refusal refusal = StandardUsersFolders({&from, &to}))
        return refusal;
    // A rename opens its source for DELETE access; CreateFile, FILE_SHARE_DELETE: "If this flag is not
    // specified, but the file or device has been opened for delete access, the function fails."
    const Holders source = HoldersOf(from.key);
    if (source.count > 0 && !source.allShareDelete)
        return {ERROR_SHARING_VIOLATION, "a move of a file held open without FILE_SHARE_DELETE"};
    if (to.key == from.key) // a new spelling of the same name
        return {};
    const DWORD attributes = Attributes(to);
    if (!IsFile(attributes) || !(flags & MOVEFILE_REPLACE_EXISTING))
        return {}; // the system's own answer: no target, a folder, or "already exists"
    // A replaced destination may be neither read-only nor open at all, whatever its share mode: "Moving
    // and Replacing Files" ("A file must also be closed before an application can move it"), measured by
    // dotnet/runtime#79213 (File.Move over a destination held with FileShare.Delete: access denied) and
    // described for MoveFileExW on python.org issue 46003 ("it cannot be a directory, a readonly file ...
    // existing opens of the destination path are not allowed, even if they share delete access").
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return {ERROR_ACCESS_DENIED, "a move replacing a read-only file"};
    if (HoldersOf(to.key).count > 0)
        return {ERROR_ACCESS_DENIED, "a move replacing a file held open"};
    return {};
}

Refusal DeleteRefusal(const Path& path)
{
    if (const Refusal refusal = StandardUsersFolders({&path}))
        return refusal;
    // DeleteFile, Remarks: "If the file is a read-only file, the function fails with ERROR_ACCESS_DENIED."
    // and it fails for a file that other handles hold open unless they specified FILE_SHARE_DELETE.
    const DWORD attributes = Attributes(path);
    if (IsFile(attributes) && (attributes & FILE_ATTRIBUTE_READONLY))
        return {ERROR_ACCESS_DENIED, "a deletion of a read-only file"};
    const Holders holders = HoldersOf(path.key);
    if (holders.count > 0 && !holders.allShareDelete)
        return {ERROR_SHARING_VIOLATION, "a deletion of a file held open without FILE_SHARE_DELETE"};
    return {};
}

template <class Forward>
HANDLE Open(const char* call, const Path& path, DWORD access, DWORD share, DWORD disposition, DWORD flags,
            Forward forward)
{
    if (!path.key.empty() && (Refused(call, path, FaultDue()) ||
                              Refused(call, path, OpenRefusal(path, access, disposition, flags))))
        return INVALID_HANDLE_VALUE;
    const HANDLE handle = forward();
    if (handle != INVALID_HANDLE_VALUE && !path.key.empty())
        RememberFile(handle, path.key, share, access);
    return handle;
}

template <class Forward> BOOL Copy(const char* call, const Path& to, bool failIfExists, Forward forward)
{
    if (Refused(call, to, FaultDue()) || Refused(call, to, CopyRefusal(to, failIfExists)))
        return FALSE;
    return forward();
}

template <class Forward>
BOOL Move(const char* call, const Path& from, const Path& to, bool deleteOnReboot, DWORD flags,
          Forward forward)
{
    if (Refused(call, from, FaultDue()) ||
        (!deleteOnReboot && Refused(call, from, MoveRefusal(from, to, flags))))
        return FALSE;
    const BOOL moved = forward();
    if (moved && !deleteOnReboot && !(flags & MOVEFILE_DELAY_UNTIL_REBOOT))
        RenameHeld(from.key, to.key);
    return moved;
}

template <class Forward> BOOL Delete(const char* call, const Path& path, Forward forward)
{
    if (Refused(call, path, FaultDue()) || Refused(call, path, DeleteRefusal(path)))
        return FALSE;
    return forward();
}

// A counted call whose only rule is the standard user's (folders, attributes, replacing).
template <class Forward>
BOOL Change(const char* call, std::initializer_list<const Path*> paths, Forward forward)
{
    const Path& first = **paths.begin();
    if (Refused(call, first, FaultDue()) || Refused(call, first, StandardUsersFolders(paths)))
        return FALSE;
    return forward();
}

// A counted call on an open file handle.
template <class Forward> BOOL OnHandle(const char* call, HANDLE handle, Forward forward)
{
    if (IsFileHandle(handle) && Refused(call, Path{}, FaultDue()))
        return FALSE;
    return forward();
}

HANDLE WINAPI HookCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                              DWORD disposition, DWORD flags, HANDLE model)
{
    return Open("CreateFileA", MakePath(name), access, share, disposition, flags,
                [&] { return g_CreateFileA(name, access, share, security, disposition, flags, model); });
}

HANDLE WINAPI HookCreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                              DWORD disposition, DWORD flags, HANDLE model)
{
    return Open("CreateFileW", MakePath(name), access, share, disposition, flags,
                [&] { return g_CreateFileW(name, access, share, security, disposition, flags, model); });
}

BOOL WINAPI HookCloseHandle(HANDLE handle)
{
    // Forgotten first: once closed, the same value may come back from another thread's CreateFile.
    ForgetHandle(handle);
    return g_CloseHandle(handle);
}

BOOL WINAPI HookWriteFile(HANDLE handle, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    if (IsFileHandle(handle) && Refused("WriteFile", Path{}, FaultDue())) {
        if (written)
            *written = 0;
        return FALSE;
    }
    return g_WriteFile(handle, data, size, written, overlapped);
}

// FlushFileBuffers, hFile: "The file handle must have the GENERIC_WRITE access right."; SetEndOfFile,
// hFile: "The file handle must have been created with the GENERIC_WRITE access right." A handle opened
// for reading only is refused with ERROR_ACCESS_DENIED.
template <class Forward> BOOL OnHandleThatWrites(const char* call, HANDLE handle, Forward forward)
{
    if (IsFileHandle(handle) && !HandleWritesData(handle) &&
        Refused(call, Path{}, Refusal{ERROR_ACCESS_DENIED, "a handle opened without GENERIC_WRITE"}))
        return FALSE;
    return OnHandle(call, handle, forward);
}

BOOL WINAPI HookFlushFileBuffers(HANDLE handle)
{
    return OnHandleThatWrites("FlushFileBuffers", handle, [&] { return g_FlushFileBuffers(handle); });
}

BOOL WINAPI HookSetEndOfFile(HANDLE handle)
{
    return OnHandleThatWrites("SetEndOfFile", handle, [&] { return g_SetEndOfFile(handle); });
}

BOOL WINAPI HookSetFileTime(HANDLE handle, const FILETIME* created, const FILETIME* accessed,
                            const FILETIME* written)
{
    return OnHandle("SetFileTime", handle, [&] { return g_SetFileTime(handle, created, accessed, written); });
}

BOOL WINAPI HookSetFileInformationByHandle(HANDLE handle, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID data,
                                           DWORD size)
{
    // An allocation size is only a hint to the file system; renames, deletions and lengths count.
    if (kind == FileAllocationInfo)
        return g_SetFileInformationByHandle(handle, kind, data, size);
    return OnHandle("SetFileInformationByHandle", handle,
                    [&] { return g_SetFileInformationByHandle(handle, kind, data, size); });
}

BOOL WINAPI HookCopyFileA(LPCSTR from, LPCSTR to, BOOL failIfExists)
{
    return Copy("CopyFileA", MakePath(to), failIfExists, [&] { return g_CopyFileA(from, to, failIfExists); });
}

BOOL WINAPI HookCopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists)
{
    return Copy("CopyFileW", MakePath(to), failIfExists, [&] { return g_CopyFileW(from, to, failIfExists); });
}

BOOL WINAPI HookCopyFileExA(LPCSTR from, LPCSTR to, LPPROGRESS_ROUTINE progress, LPVOID data, LPBOOL cancel,
                            DWORD flags)
{
    return Copy("CopyFileExA", MakePath(to), flags & COPY_FILE_FAIL_IF_EXISTS,
                [&] { return g_CopyFileExA(from, to, progress, data, cancel, flags); });
}

BOOL WINAPI HookCopyFileExW(LPCWSTR from, LPCWSTR to, LPPROGRESS_ROUTINE progress, LPVOID data, LPBOOL cancel,
                            DWORD flags)
{
    return Copy("CopyFileExW", MakePath(to), flags & COPY_FILE_FAIL_IF_EXISTS,
                [&] { return g_CopyFileExW(from, to, progress, data, cancel, flags); });
}

BOOL WINAPI HookMoveFileA(LPCSTR from, LPCSTR to)
{
    return Move("MoveFileA", MakePath(from), MakePath(to), !to, 0, [&] { return g_MoveFileA(from, to); });
}

BOOL WINAPI HookMoveFileW(LPCWSTR from, LPCWSTR to)
{
    return Move("MoveFileW", MakePath(from), MakePath(to), !to, 0, [&] { return g_MoveFileW(from, to); });
}

BOOL WINAPI HookMoveFileExA(LPCSTR from, LPCSTR to, DWORD flags)
{
    return Move("MoveFileExA", MakePath(from), MakePath(to), !to, flags,
                [&] { return g_MoveFileExA(from, to, flags); });
}

BOOL WINAPI HookMoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    return Move("MoveFileExW", MakePath(from), MakePath(to), !to, flags,
                [&] { return g_MoveFileExW(from, to, flags); });
}

BOOL WINAPI HookMoveFileWithProgressA(LPCSTR from, LPCSTR to, LPPROGRESS_ROUTINE progress, LPVOID data,
                                      DWORD flags)
{
    return Move("MoveFileWithProgressA", MakePath(from), MakePath(to), !to, flags,
                [&] { return g_MoveFileWithProgressA(from, to, progress, data, flags); });
}

BOOL WINAPI HookMoveFileWithProgressW(LPCWSTR from, LPCWSTR to, LPPROGRESS_ROUTINE progress, LPVOID data,
                                      DWORD flags)
{
    return Move("MoveFileWithProgressW", MakePath(from), MakePath(to), !to, flags,
                [&] { return g_MoveFileWithProgressW(from, to, progress, data, flags); });
}

BOOL WINAPI HookReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID exclude,
                             LPVOID reserved)
{
    const Path paths[] = {MakePath(replaced), MakePath(replacement), MakePath(backup)};
    return Change("ReplaceFileA", {&paths[0], &paths[1], &paths[2]},
                  [&] { return g_ReplaceFileA(replaced, replacement, backup, flags, exclude, reserved); });
}

BOOL WINAPI HookReplaceFileW(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                             LPVOID exclude, LPVOID reserved)
{
    const Path paths[] = {MakePath(replaced), MakePath(replacement), MakePath(backup)};
    return Change("ReplaceFileW", {&paths[0], &paths[1], &paths[2]},
                  [&] { return g_ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved); });
}

BOOL WINAPI HookDeleteFileA(LPCSTR name)
{
    return Delete("DeleteFileA", MakePath(name), [&] { return g_DeleteFileA(name); });
}

BOOL WINAPI HookDeleteFileW(LPCWSTR name)
{
    return Delete("DeleteFileW", MakePath(name), [&] { return g_DeleteFileW(name); });
}

// A new name is a change of the folder it is made in: a standard user makes none below Program Files.
BOOL WINAPI HookCreateHardLinkA(LPCSTR name, LPCSTR existing, LPSECURITY_ATTRIBUTES security)
{
    const Path path = MakePath(name);
    return Change("CreateHardLinkA", {&path}, [&] { return g_CreateHardLinkA(name, existing, security); });
}

BOOL WINAPI HookCreateHardLinkW(LPCWSTR name, LPCWSTR existing, LPSECURITY_ATTRIBUTES security)
{
    const Path path = MakePath(name);
    return Change("CreateHardLinkW", {&path}, [&] { return g_CreateHardLinkW(name, existing, security); });
}

BOOL WINAPI HookCreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES security)
{
    const Path path = MakePath(name);
    return Change("CreateDirectoryA", {&path}, [&] { return g_CreateDirectoryA(name, security); });
}

BOOL WINAPI HookCreateDirectoryW(LPCWSTR name, LPSECURITY_ATTRIBUTES security)
{
    const Path path = MakePath(name);
    return Change("CreateDirectoryW", {&path}, [&] { return g_CreateDirectoryW(name, security); });
}

BOOL WINAPI HookCreateDirectoryExA(LPCSTR model, LPCSTR name, LPSECURITY_ATTRIBUTES security)
{
    const Path path = MakePath(name);
    return Change("CreateDirectoryExA", {&path}, [&] { return g_CreateDirectoryExA(model, name, security); });
}

BOOL WINAPI HookCreateDirectoryExW(LPCWSTR model, LPCWSTR name, LPSECURITY_ATTRIBUTES security)
{
    const Path path = MakePath(name);
    return Change("CreateDirectoryExW", {&path}, [&] { return g_CreateDirectoryExW(model, name, security); });
}

BOOL WINAPI HookRemoveDirectoryA(LPCSTR name)
{
    const Path path = MakePath(name);
    return Change("RemoveDirectoryA", {&path}, [&] { return g_RemoveDirectoryA(name); });
}

BOOL WINAPI HookRemoveDirectoryW(LPCWSTR name)
{
    const Path path = MakePath(name);
    return Change("RemoveDirectoryW", {&path}, [&] { return g_RemoveDirectoryW(name); });
}

BOOL WINAPI HookSetFileAttributesA(LPCSTR name, DWORD attributes)
{
    const Path path = MakePath(name);
    return Change("SetFileAttributesA", {&path}, [&] { return g_SetFileAttributesA(name, attributes); });
}

BOOL WINAPI HookSetFileAttributesW(LPCWSTR name, DWORD attributes)
{
    const Path path = MakePath(name);
    return Change("SetFileAttributesW", {&path}, [&] { return g_SetFileAttributesW(name, attributes); });
}

template <class Function> Hook Entry(const char* name, Function hook, Function& original)
{
    return Hook{name, reinterpret_cast<void*>(hook), reinterpret_cast<void**>(&original)};
}

} // namespace

const Hook* FileHooks(std::size_t& count)
{
    static const Hook hooks[] = {
        Entry("CreateFileA", &HookCreateFileA, g_CreateFileA),
        Entry("CreateFileW", &HookCreateFileW, g_CreateFileW),
        Entry("CloseHandle", &HookCloseHandle, g_CloseHandle),
        Entry("WriteFile", &HookWriteFile, g_WriteFile),
        Entry("FlushFileBuffers", &HookFlushFileBuffers, g_FlushFileBuffers),
        Entry("SetEndOfFile", &HookSetEndOfFile, g_SetEndOfFile),
        Entry("SetFileTime", &HookSetFileTime, g_SetFileTime),
        Entry("SetFileInformationByHandle", &HookSetFileInformationByHandle, g_SetFileInformationByHandle),
        Entry("CopyFileA", &HookCopyFileA, g_CopyFileA),
        Entry("CopyFileW", &HookCopyFileW, g_CopyFileW),
        Entry("CopyFileExA", &HookCopyFileExA, g_CopyFileExA),
        Entry("CopyFileExW", &HookCopyFileExW, g_CopyFileExW),
        Entry("MoveFileA", &HookMoveFileA, g_MoveFileA),
        Entry("MoveFileW", &HookMoveFileW, g_MoveFileW),
        Entry("MoveFileExA", &HookMoveFileExA, g_MoveFileExA),
        Entry("MoveFileExW", &HookMoveFileExW, g_MoveFileExW),
        Entry("MoveFileWithProgressA", &HookMoveFileWithProgressA, g_MoveFileWithProgressA),
        Entry("MoveFileWithProgressW", &HookMoveFileWithProgressW, g_MoveFileWithProgressW),
        Entry("ReplaceFileA", &HookReplaceFileA, g_ReplaceFileA),
        Entry("ReplaceFileW", &HookReplaceFileW, g_ReplaceFileW),
        Entry("DeleteFileA", &HookDeleteFileA, g_DeleteFileA),
        Entry("DeleteFileW", &HookDeleteFileW, g_DeleteFileW),
        Entry("CreateHardLinkA", &HookCreateHardLinkA, g_CreateHardLinkA),
        Entry("CreateHardLinkW", &HookCreateHardLinkW, g_CreateHardLinkW),
        Entry("CreateDirectoryA", &HookCreateDirectoryA, g_CreateDirectoryA),
        Entry("CreateDirectoryW", &HookCreateDirectoryW, g_CreateDirectoryW),
        Entry("CreateDirectoryExA", &HookCreateDirectoryExA, g_CreateDirectoryExA),
        Entry("CreateDirectoryExW", &HookCreateDirectoryExW, g_CreateDirectoryExW),
        Entry("RemoveDirectoryA", &HookRemoveDirectoryA, g_RemoveDirectoryA),
        Entry("RemoveDirectoryW", &HookRemoveDirectoryW, g_RemoveDirectoryW),
        Entry("SetFileAttributesA", &HookSetFileAttributesA, g_SetFileAttributesA),
        Entry("SetFileAttributesW", &HookSetFileAttributesW, g_SetFileAttributesW),
    };
    count = sizeof hooks / sizeof hooks[0];
    return hooks;
}

} // namespace strict::win
