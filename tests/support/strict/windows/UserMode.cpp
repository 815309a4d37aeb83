// The user the strict layer plays: the environment's choice, or a UserScope's.
#include <atomic>
#include <cstdio>

#include "tests/support/strict/WindowsUser.h"
#include "tests/support/strict/windows/StrictLayer.h"

namespace strict {
namespace {

WindowsUser FromEnvironment()
{
    wchar_t value[32];
    const DWORD length = GetEnvironmentVariableW(L"ZENTRIMO_WINDOWS_USER", value, 32);
    if (length == 0 || (length < 32 && lstrcmpiW(value, L"standard") == 0))
        return WindowsUser::Standard;
    if (length < 32 && lstrcmpiW(value, L"elevated") == 0)
        return WindowsUser::Elevated;
    std::fprintf(stderr, "ZENTRIMO_WINDOWS_USER is neither standard nor elevated: playing a standard user\n");
    return WindowsUser::Standard;
}

// -1: the environment's choice; otherwise a WindowsUser a scope chose.
std::atomic<int> g_scoped{-1};

} // namespace

WindowsUser CurrentWindowsUser()
{
    const int scoped = g_scoped;
    if (scoped >= 0)
        return static_cast<WindowsUser>(scoped);
    static const WindowsUser chosen = FromEnvironment();
    return chosen;
}

UserScope::UserScope(WindowsUser user) : m_previous(CurrentWindowsUser())
{
    g_scoped = static_cast<int>(user);
}

UserScope::~UserScope()
{
    g_scoped = static_cast<int>(m_previous);
}

ProtectedFolder::ProtectedFolder(const std::string& utf8Path)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8Path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8Path.c_str(), -1, wide.data(), length);
    m_path = win::MakePath(wide.c_str()).key;
    win::AddProtectedFolder(m_path);
}

ProtectedFolder::~ProtectedFolder()
{
    win::RemoveProtectedFolder(m_path);
}

bool win::StandardUserNow()
{
    return CurrentWindowsUser() == WindowsUser::Standard;
}

} // namespace strict
