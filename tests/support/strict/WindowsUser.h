// Which Windows user the test program plays: a standard user (the default) or an elevated one, chosen by
// ZENTRIMO_WINDOWS_USER=standard|elevated. Under the strict layer a standard user may not write
// HKEY_LOCAL_MACHINE nor change anything below the Program Files folders and the Windows folder.
#pragma once

#include <string>

namespace strict {

enum class WindowsUser { Standard, Elevated };

#ifdef _WIN32
// The user the layer plays right now (the environment's choice unless a UserScope says otherwise).
WindowsUser CurrentWindowsUser();

// Plays another user while alive; scopes nest, the innermost one wins. Process-wide: a set-up that
// starts threads keeps its rights in them.
class UserScope
{
public:
    explicit UserScope(WindowsUser user);
    ~UserScope();
    UserScope(const UserScope&) = delete;
    UserScope& operator=(const UserScope&) = delete;

private:
    WindowsUser m_previous;
};

// A folder that stands for a Program Files folder while alive: a standard user may not change anything
// below it (a scratch computer's "Program Files").
class ProtectedFolder
{
public:
    explicit ProtectedFolder(const std::string& utf8Path);
    ~ProtectedFolder();
    ProtectedFolder(const ProtectedFolder&) = delete;
    ProtectedFolder& operator=(const ProtectedFolder&) = delete;

private:
    std::wstring m_path;
};
#else
// Linux has no such rules (the file modes are the host's): every test runs as if elevated.
inline WindowsUser CurrentWindowsUser()
{
    return WindowsUser::Elevated;
}
class UserScope
{
public:
    explicit UserScope(WindowsUser) {}
    UserScope(const UserScope&) = delete;
    UserScope& operator=(const UserScope&) = delete;
};
class ProtectedFolder
{
public:
    explicit ProtectedFolder(const std::string&) {}
    ProtectedFolder(const ProtectedFolder&) = delete;
    ProtectedFolder& operator=(const ProtectedFolder&) = delete;
};
#endif

inline bool RunsAsStandardUser()
{
    return CurrentWindowsUser() == WindowsUser::Standard;
}

// Test set-up that plays an installer (Velmora's machine-wide entry, files under Program Files).
class ElevatedScope : public UserScope
{
public:
    ElevatedScope() : UserScope(WindowsUser::Elevated) {}
};

} // namespace strict
