// Paths as the strict layer's rules compare them, and the folders a standard user may not change.
#include <algorithm>
#include <vector>

#include "tests/support/strict/windows/StrictLayer.h"

namespace strict::win {
namespace {

std::wstring FullPath(const wchar_t* path)
{
    DWORD length = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(path, length, full.data(), nullptr);
    full.resize(length);
    return full;
}

// The long form of the longest existing part, so that a short name (PROGRA~1) compares as its long one.
std::wstring LongPath(const std::wstring& full)
{
    DWORD length = GetLongPathNameW(full.c_str(), nullptr, 0);
    if (length > 0) {
        std::wstring result(length, L'\0');
        length = GetLongPathNameW(full.c_str(), result.data(), length);
        if (length > 0 && length < result.size()) {
            result.resize(length);
            return result;
        }
    }
    const size_t cut = full.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut < 3)
        return full;
    return LongPath(full.substr(0, cut)) + full.substr(cut);
}

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool Below(const std::wstring& key, const std::wstring& root)
{
    return !root.empty() && key.size() >= root.size() && key.compare(0, root.size(), root) == 0 &&
           (key.size() == root.size() || key[root.size()] == L'\\' || root.back() == L'\\');
}

// The Program Files folders and the Windows folder, as the system names them.
const std::vector<std::wstring>& SystemFolders()
{
    static const std::vector<std::wstring> folders = [] {
        std::vector<std::wstring> keys;
        for (const wchar_t* variable : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
            wchar_t value[MAX_PATH];
            const DWORD length = GetEnvironmentVariableW(variable, value, MAX_PATH);
            if (length > 0 && length < MAX_PATH)
                keys.push_back(MakePath(value).key);
        }
        wchar_t windows[MAX_PATH];
        const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            keys.push_back(MakePath(windows).key);
        return keys;
    }();
    return folders;
}

SRWLOCK g_standInsLock = SRWLOCK_INIT;
std::vector<std::wstring>& StandIns()
{
    static std::vector<std::wstring> standIns;
    return standIns;
}

} // namespace

Path MakePath(const wchar_t* path)
{
    if (!path || !*path)
        return {};
    std::wstring full = FullPath(path);
    if (full.rfind(L"\\\\.\\", 0) == 0)
        return {full, std::wstring()};
    if (full.rfind(L"\\\\?\\UNC\\", 0) == 0)
        full = L"\\\\" + full.substr(8);
    else if (full.rfind(L"\\\\?\\", 0) == 0)
        full = full.substr(4);
    full = LongPath(full);
    if (full.size() > 3 && full.back() == L'\\')
        full.pop_back();
    return {full, Upper(full)};
}

Path MakePath(const char* path)
{
    if (!path || !*path)
        return {};
    const UINT codePage = AreFileApisANSI() ? CP_ACP : CP_OEMCP;
    const int length = MultiByteToWideChar(codePage, 0, path, -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, path, -1, wide.data(), length);
    return MakePath(wide.c_str());
}

bool IsProtected(const std::wstring& key)
{
    if (key.empty())
        return false;
    for (const std::wstring& folder : SystemFolders())
        if (Below(key, folder))
            return true;
    AcquireSRWLockShared(&g_standInsLock);
    const bool standIn = std::any_of(StandIns().begin(), StandIns().end(),
                                     [&](const std::wstring& folder) { return Below(key, folder); });
    ReleaseSRWLockShared(&g_standInsLock);
    return standIn;
}

void AddProtectedFolder(const std::wstring& key)
{
    AcquireSRWLockExclusive(&g_standInsLock);
    StandIns().push_back(key);
    ReleaseSRWLockExclusive(&g_standInsLock);
}

void RemoveProtectedFolder(const std::wstring& key)
{
    AcquireSRWLockExclusive(&g_standInsLock);
    auto& standIns = StandIns();
    const auto it = std::find(standIns.begin(), standIns.end(), key);
    if (it != standIns.end())
        standIns.erase(it);
    ReleaseSRWLockExclusive(&g_standInsLock);
}

} // namespace strict::win
