// The registry calls of the strict layer: a standard user reads HKEY_LOCAL_MACHINE and writes nothing
// there. Since Windows Vista the access list of HKLM\SOFTWARE grants Users KEY_READ only (and UAC gives an
// administrator a standard token until elevated); Wine grants every right.
#include <set>

#include "tests/support/strict/windows/StrictLayer.h"

namespace strict::win {
namespace {

decltype(&RegOpenKeyExA) g_RegOpenKeyExA;
decltype(&RegOpenKeyExW) g_RegOpenKeyExW;
decltype(&RegCreateKeyExA) g_RegCreateKeyExA;
decltype(&RegCreateKeyExW) g_RegCreateKeyExW;
decltype(&RegSetValueExA) g_RegSetValueExA;
decltype(&RegSetValueExW) g_RegSetValueExW;
decltype(&RegSetKeyValueA) g_RegSetKeyValueA;
decltype(&RegSetKeyValueW) g_RegSetKeyValueW;
decltype(&RegDeleteValueA) g_RegDeleteValueA;
decltype(&RegDeleteValueW) g_RegDeleteValueW;
decltype(&RegDeleteKeyA) g_RegDeleteKeyA;
decltype(&RegDeleteKeyW) g_RegDeleteKeyW;
decltype(&RegDeleteKeyExA) g_RegDeleteKeyExA;
decltype(&RegDeleteKeyExW) g_RegDeleteKeyExW;
decltype(&RegDeleteTreeA) g_RegDeleteTreeA;
decltype(&RegDeleteTreeW) g_RegDeleteTreeW;
decltype(&RegCloseKey) g_RegCloseKey;

constexpr REGSAM kViews = KEY_WOW64_32KEY | KEY_WOW64_64KEY;

SRWLOCK g_lock = SRWLOCK_INIT;

// The keys opened below HKEY_LOCAL_MACHINE, until RegCloseKey.
std::set<HKEY>& MachineKeys()
{
    static std::set<HKEY> keys;
    return keys;
}

bool IsMachineKey(HKEY key)
{
    if (key == HKEY_LOCAL_MACHINE)
        return true;
    AcquireSRWLockShared(&g_lock);
    const bool machine = MachineKeys().count(key) != 0;
    ReleaseSRWLockShared(&g_lock);
    return machine;
}

void Remember(HKEY parent, LONG status, const HKEY* result)
{
    if (status != ERROR_SUCCESS || !result || !IsMachineKey(parent))
        return;
    AcquireSRWLockExclusive(&g_lock);
    MachineKeys().insert(*result);
    ReleaseSRWLockExclusive(&g_lock);
}

bool ReadOnly(REGSAM desired)
{
    return (desired & ~(kViews | KEY_READ)) == 0;
}

bool Refused(HKEY key)
{
    return StandardUserNow() && IsMachineKey(key);
}

LONG Refuse(const char* call, const char* rule)
{
    Report(call, L"HKEY_LOCAL_MACHINE", ERROR_ACCESS_DENIED, rule);
    return ERROR_ACCESS_DENIED;
}

// Opening with more than KEY_READ: the standard user's token does not have it.
template <class Forward> LONG Open(const char* call, HKEY key, REGSAM desired, HKEY* result, Forward forward)
{
    if (Refused(key) && !ReadOnly(desired)) {
        if (result)
            *result = nullptr;
        return Refuse(call, "a standard user opens HKEY_LOCAL_MACHINE for reading only");
    }
    const LONG status = forward();
    Remember(key, status, result);
    return status;
}

// Creating: a standard user may only open a key that is there already, for reading.
template <class Exists, class Forward>
LONG Create(const char* call, HKEY key, REGSAM desired, HKEY* result, Exists exists, Forward forward)
{
    if (Refused(key) && (!ReadOnly(desired) || !exists())) {
        if (result)
            *result = nullptr;
        return Refuse(call, "a standard user creates nothing in HKEY_LOCAL_MACHINE");
    }
    const LONG status = forward();
    Remember(key, status, result);
    return status;
}

template <class Forward> LONG Write(const char* call, HKEY key, Forward forward)
{
    return Refused(key) ? Refuse(call, "a standard user writes nothing in HKEY_LOCAL_MACHINE") : forward();
}

template <class Open, class Name> bool KeyExists(Open open, HKEY key, Name subKey, REGSAM desired)
{
    HKEY opened = nullptr;
    if (open(key, subKey, 0, KEY_READ | (desired & kViews), &opened) != ERROR_SUCCESS)
        return false;
    g_RegCloseKey(opened);
    return true;
}

LSTATUS WINAPI HookRegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result)
{
    return Open("RegOpenKeyExA", key, desired, result,
                [&] { return g_RegOpenKeyExA(key, subKey, options, desired, result); });
}

LSTATUS WINAPI HookRegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result)
{
    return Open("RegOpenKeyExW", key, desired, result,
                [&] { return g_RegOpenKeyExW(key, subKey, options, desired, result); });
}

LSTATUS WINAPI HookRegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                                   REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                                   LPDWORD disposition)
{
    return Create(
        "RegCreateKeyExA", key, desired, result,
        [&] { return KeyExists(g_RegOpenKeyExA, key, subKey, desired); },
        [&] {
            return g_RegCreateKeyExA(key, subKey, reserved, keyClass, options, desired, security, result,
                                     disposition);
        });
}

LSTATUS WINAPI HookRegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                                   REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                                   LPDWORD disposition)
{
    return Create(
        "RegCreateKeyExW", key, desired, result,
        [&] { return KeyExists(g_RegOpenKeyExW, key, subKey, desired); },
        [&] {
            return g_RegCreateKeyExW(key, subKey, reserved, keyClass, options, desired, security, result,
                                     disposition);
        });
}

LSTATUS WINAPI HookRegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                                  DWORD size)
{
    return Write("RegSetValueExA", key,
                 [&] { return g_RegSetValueExA(key, name, reserved, type, data, size); });
}

LSTATUS WINAPI HookRegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                                  DWORD size)
{
    return Write("RegSetValueExW", key,
                 [&] { return g_RegSetValueExW(key, name, reserved, type, data, size); });
}

LSTATUS WINAPI HookRegSetKeyValueA(HKEY key, LPCSTR subKey, LPCSTR name, DWORD type, LPCVOID data, DWORD size)
{
    return Write("RegSetKeyValueA", key,
                 [&] { return g_RegSetKeyValueA(key, subKey, name, type, data, size); });
}

LSTATUS WINAPI HookRegSetKeyValueW(HKEY key, LPCWSTR subKey, LPCWSTR name, DWORD type, LPCVOID data,
                                   DWORD size)
{
    return Write("RegSetKeyValueW", key,
                 [&] { return g_RegSetKeyValueW(key, subKey, name, type, data, size); });
}

LSTATUS WINAPI HookRegDeleteValueA(HKEY key, LPCSTR name)
{
    return Write("RegDeleteValueA", key, [&] { return g_RegDeleteValueA(key, name); });
}

LSTATUS WINAPI HookRegDeleteValueW(HKEY key, LPCWSTR name)
{
    return Write("RegDeleteValueW", key, [&] { return g_RegDeleteValueW(key, name); });
}

LSTATUS WINAPI HookRegDeleteKeyA(HKEY key, LPCSTR subKey)
{
    return Write("RegDeleteKeyA", key, [&] { return g_RegDeleteKeyA(key, subKey); });
}

LSTATUS WINAPI HookRegDeleteKeyW(HKEY key, LPCWSTR subKey)
{
    return Write("RegDeleteKeyW", key, [&] { return g_RegDeleteKeyW(key, subKey); });
}

LSTATUS WINAPI HookRegDeleteKeyExA(HKEY key, LPCSTR subKey, REGSAM view, DWORD reserved)
{
    return Write("RegDeleteKeyExA", key, [&] { return g_RegDeleteKeyExA(key, subKey, view, reserved); });
}

LSTATUS WINAPI HookRegDeleteKeyExW(HKEY key, LPCWSTR subKey, REGSAM view, DWORD reserved)
{
    return Write("RegDeleteKeyExW", key, [&] { return g_RegDeleteKeyExW(key, subKey, view, reserved); });
}

LSTATUS WINAPI HookRegDeleteTreeA(HKEY key, LPCSTR subKey)
{
    return Write("RegDeleteTreeA", key, [&] { return g_RegDeleteTreeA(key, subKey); });
}

LSTATUS WINAPI HookRegDeleteTreeW(HKEY key, LPCWSTR subKey)
{
    return Write("RegDeleteTreeW", key, [&] { return g_RegDeleteTreeW(key, subKey); });
}

LSTATUS WINAPI HookRegCloseKey(HKEY key)
{
    AcquireSRWLockExclusive(&g_lock);
    MachineKeys().erase(key);
    ReleaseSRWLockExclusive(&g_lock);
    return g_RegCloseKey(key);
}

template <class Function> Hook Entry(const char* name, Function hook, Function& original)
{
    return Hook{name, reinterpret_cast<void*>(hook), reinterpret_cast<void**>(&original)};
}

} // namespace

const Hook* RegistryHooks(std::size_t& count)
{
    // KeyExists opens and closes through these even when the program itself never calls them.
    const HMODULE advapi = LoadLibraryW(L"advapi32.dll");
    const auto system = [&](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(advapi, name));
    };
    if (!g_RegOpenKeyExA)
        g_RegOpenKeyExA = reinterpret_cast<decltype(&RegOpenKeyExA)>(system("RegOpenKeyExA"));
    if (!g_RegOpenKeyExW)
        g_RegOpenKeyExW = reinterpret_cast<decltype(&RegOpenKeyExW)>(system("RegOpenKeyExW"));
    if (!g_RegCloseKey)
        g_RegCloseKey = reinterpret_cast<decltype(&RegCloseKey)>(system("RegCloseKey"));
    static const Hook hooks[] = {
        Entry("RegOpenKeyExA", &HookRegOpenKeyExA, g_RegOpenKeyExA),
        Entry("RegOpenKeyExW", &HookRegOpenKeyExW, g_RegOpenKeyExW),
        Entry("RegCreateKeyExA", &HookRegCreateKeyExA, g_RegCreateKeyExA),
        Entry("RegCreateKeyExW", &HookRegCreateKeyExW, g_RegCreateKeyExW),
        Entry("RegSetValueExA", &HookRegSetValueExA, g_RegSetValueExA),
        Entry("RegSetValueExW", &HookRegSetValueExW, g_RegSetValueExW),
        Entry("RegSetKeyValueA", &HookRegSetKeyValueA, g_RegSetKeyValueA),
        Entry("RegSetKeyValueW", &HookRegSetKeyValueW, g_RegSetKeyValueW),
        Entry("RegDeleteValueA", &HookRegDeleteValueA, g_RegDeleteValueA),
        Entry("RegDeleteValueW", &HookRegDeleteValueW, g_RegDeleteValueW),
        Entry("RegDeleteKeyA", &HookRegDeleteKeyA, g_RegDeleteKeyA),
        Entry("RegDeleteKeyW", &HookRegDeleteKeyW, g_RegDeleteKeyW),
        Entry("RegDeleteKeyExA", &HookRegDeleteKeyExA, g_RegDeleteKeyExA),
        Entry("RegDeleteKeyExW", &HookRegDeleteKeyExW, g_RegDeleteKeyExW),
        Entry("RegDeleteTreeA", &HookRegDeleteTreeA, g_RegDeleteTreeA),
        Entry("RegDeleteTreeW", &HookRegDeleteTreeW, g_RegDeleteTreeW),
        Entry("RegCloseKey", &HookRegCloseKey, g_RegCloseKey),
    };
    count = sizeof hooks / sizeof hooks[0];
    return hooks;
}

} // namespace strict::win
