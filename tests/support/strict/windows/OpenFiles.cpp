// The files the test program holds open through the hooked CreateFile calls, with their share modes: what
// Windows consults when a file is moved, replaced or deleted.
#include <unordered_map>

#include "tests/support/strict/windows/StrictLayer.h"

namespace strict::win {
namespace {

struct OpenFile
{
    std::wstring key;
    DWORD shareMode;
    DWORD access;
};

SRWLOCK g_lock = SRWLOCK_INIT;

std::unordered_map<HANDLE, OpenFile>& Files()
{
    static std::unordered_map<HANDLE, OpenFile> files;
    return files;
}

// Keeps the last error of the call the bookkeeping follows.
class KeepLastError
{
public:
    KeepLastError() : m_error(GetLastError()) {}
    ~KeepLastError() { SetLastError(m_error); }
    KeepLastError(const KeepLastError&) = delete;
    KeepLastError& operator=(const KeepLastError&) = delete;

private:
    DWORD m_error;
};

} // namespace

void RememberFile(HANDLE handle, const std::wstring& key, DWORD shareMode, DWORD access)
{
    KeepLastError keep;
    AcquireSRWLockExclusive(&g_lock);
    Files()[handle] = OpenFile{key, shareMode, access};
    ReleaseSRWLockExclusive(&g_lock);
}

void ForgetHandle(HANDLE handle)
{
    KeepLastError keep;
    AcquireSRWLockExclusive(&g_lock);
    Files().erase(handle);
    ReleaseSRWLockExclusive(&g_lock);
}

bool IsFileHandle(HANDLE handle)
{
    AcquireSRWLockShared(&g_lock);
    const bool known = Files().count(handle) != 0;
    ReleaseSRWLockShared(&g_lock);
    return known;
}

bool HandleWritesData(HANDLE handle)
{
    AcquireSRWLockShared(&g_lock);
    const auto found = Files().find(handle);
    const bool writes = found == Files().end() ||
                        (found->second.access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA)) != 0;
    ReleaseSRWLockShared(&g_lock);
    return writes;
}

void RenameHeld(const std::wstring& fromKey, const std::wstring& toKey)
{
    KeepLastError keep;
    AcquireSRWLockExclusive(&g_lock);
    for (auto& [handle, file] : Files()) {
        if (file.key == fromKey)
            file.key = toKey;
        else if (file.key.size() > fromKey.size() && file.key.compare(0, fromKey.size(), fromKey) == 0 &&
                 file.key[fromKey.size()] == L'\\')
            file.key = toKey + file.key.substr(fromKey.size());
    }
    ReleaseSRWLockExclusive(&g_lock);
}

Holders HoldersOf(const std::wstring& key)
{
    Holders holders;
    AcquireSRWLockShared(&g_lock);
    for (const auto& [handle, file] : Files()) {
        if (file.key != key)
            continue;
        ++holders.count;
        if (!(file.shareMode & FILE_SHARE_DELETE))
            holders.allShareDelete = false;
    }
    ReleaseSRWLockShared(&g_lock);
    return holders;
}

} // namespace strict::win
