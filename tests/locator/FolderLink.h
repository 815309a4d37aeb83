// Links to folders for the Windows tests: a symbolic link where Windows makes one, else (under Wine,
// whose CreateSymbolicLink makes nothing and which cannot remove a Unix link either) a Unix symbolic
// link made and removed by ln and rm, as a Wine prefix has them.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace folderlink {

// An export of Wine's kernel32, null on Windows.
template <typename Function> Function WineExport(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32"), name)));
}

inline bool Exists(const std::filesystem::path& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The Unix file a Windows path names, and back ("" under Windows).
inline std::string UnixName(const std::filesystem::path& path)
{
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = WineExport<ToUnix>("wine_get_unix_file_name");
    char* name = toUnix ? toUnix(path.c_str()) : nullptr;
    if (!name)
        return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

inline std::wstring DosName(const char* unixPath)
{
    using ToDos = wchar_t*(CDECL*)(const char*);
    const auto toDos = WineExport<ToDos>("wine_get_dos_file_name");
    wchar_t* name = toDos ? toDos(unixPath) : nullptr;
    if (!name)
        return {};
    std::wstring result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs the Unix program (an absolute path) with arguments (argv[0] first) and waits until the entry
// path exists (or, with exists false, does not). Wine starts a Unix program but cannot wait for it:
// the entry's folder is watched instead. False when the program cannot start or nothing happens.
inline bool RunOnHost(const char* program, const std::string& arguments, const std::filesystem::path& path,
                      bool exists)
{
    const std::wstring executable = DosName(program);
    if (executable.empty())
        return false;
    std::wstring commandLine(arguments.begin(), arguments.end()); // ASCII: the tests' own names
    const HANDLE watch = FindFirstChangeNotificationW(
        path.parent_path().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
    if (watch == INVALID_HANDLE_VALUE)
        return false;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    bool done = false;
    if (CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        while (!(done = Exists(path) == exists) && WaitForSingleObject(watch, 30000) == WAIT_OBJECT_0)
            FindNextChangeNotification(watch);
    }
    FindCloseChangeNotification(watch);
    return done;
}

// Makes link (which must not exist) a link to the existing folder target, given relative to link's own
// folder with '\' ("..", "..\\Z"). False when no link could be made.
inline bool Make(const std::filesystem::path& link, const std::string& target)
{
    const std::filesystem::path targetPath(target);
    if (CreateSymbolicLinkW(link.c_str(), targetPath.c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
        Exists(link))
        return true;
    const std::string folder = UnixName(link.parent_path());
    if (folder.empty())
        return false;
    std::string unixTarget = target;
    for (char& c : unixTarget)
        if (c == '\\')
            c = '/';
    return RunOnHost("/bin/ln",
                     "ln -s \"" + unixTarget + "\" \"" + folder + "/" + link.filename().string() + "\"", link,
                     true);
}

// Removes a link Make made, while what it leads to still exists (Wine does not show a dangling link).
// Under Wine RemoveDirectory would remove an empty folder the link leads to along with the link.
inline bool Remove(const std::filesystem::path& link)
{
    const std::string unixLink = UnixName(link);
    if (unixLink.empty())
        return RemoveDirectoryW(link.c_str()) != FALSE;
    return RunOnHost("/bin/rm", "rm \"" + unixLink + "\"", link, false);
}

} // namespace folderlink
