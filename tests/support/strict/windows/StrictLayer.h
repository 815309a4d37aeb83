// What the strict layer's parts share on Windows: paths as the rules compare them, the open files the
// hooked calls made, the user played, and the patching of the test program's import table.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace strict::win {

// A path as given (made full and long), and the key the rules compare: the same, upper-case. Devices
// and pipes (\\.\...) have no key: the rules leave them alone.
struct Path
{
    std::wstring full;
    std::wstring key;
};
Path MakePath(const wchar_t* path);
Path MakePath(const char* path); // in the code page of the file functions (AreFileApisANSI)

// Whether a key is a Program Files folder, the Windows folder, a ProtectedFolder, or below one.
bool IsProtected(const std::wstring& key);
void AddProtectedFolder(const std::wstring& key);
void RemoveProtectedFolder(const std::wstring& key);

bool StandardUserNow();

// The files the hooked CreateFile calls opened, until CloseHandle.
void RememberFile(HANDLE handle, const std::wstring& key, DWORD shareMode, DWORD access);
void ForgetHandle(HANDLE handle);
bool IsFileHandle(HANDLE handle);
// Whether a remembered handle was opened with the right to write data (true for others: not ours to judge).
bool HandleWritesData(HANDLE handle);
// A moved file's handles (or a moved folder's files' handles) follow it to its new name.
void RenameHeld(const std::wstring& fromKey, const std::wstring& toKey);
struct Holders
{
    int count = 0;
    bool allShareDelete = true;
};
Holders HoldersOf(const std::wstring& key);

// One function of the import table: calls to name go to replacement; *original keeps the system's.
struct Hook
{
    const char* name;
    void* replacement;
    void** original;
};
// Patches every import-table entry of the executable that names a hooked function; returns how many.
int PatchImports(const Hook* hooks, std::size_t count);
// How many entries of the executable's import table now call the hook of name.
int PatchedEntries(const char* name);

const Hook* FileHooks(std::size_t& count);
const Hook* RegistryHooks(std::size_t& count);

// Tells stderr that a call was refused (or failed by the fault seam) and by which rule, so that a failing
// test's output says why.
void Report(const char* call, const std::wstring& path, DWORD error, const char* rule);

} // namespace strict::win
