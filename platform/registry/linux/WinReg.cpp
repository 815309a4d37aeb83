// Key handles over the hives in $WINEPREFIX: system.reg for the machine, user.reg for the user.
#include "platform/registry/detail/RegistryBackend.h"

#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <mutex>
#include <set>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs/WinPath.h"
#include "platform/registry/linux/CRegistryHive.h"

struct HKEY__
{
    std::shared_ptr<const CRegistryHive> hive;
    std::string hivePath; // host path of the hive's file
    std::string path;     // below the hive's root
};

namespace {

// Rights beyond reading ask to modify the key; the view flags only say where to look.
constexpr REGSAM kReadOnlyRights = KEY_READ | KEY_WOW64_64KEY | KEY_WOW64_32KEY;

std::mutex g_mutex;
std::set<HKEY> g_open;

std::string HiveFile(HKEY root)
{
    if (root == HKEY_LOCAL_MACHINE)
        return (winpath::Prefix() / "system.reg").string();
    if (root == HKEY_CURRENT_USER)
        return (winpath::Prefix() / "user.reg").string();
    return {};
}

// The file's own permission bits decide, also for root, so that a read-only hive behaves the same
// for every account; a read-only file system refuses as well.
bool FileWritable(const std::string& path)
{
    struct stat info
    {
    };
    if (stat(path.c_str(), &info) != 0)
        return false;
    mode_t bit = S_IWOTH;
    if (info.st_uid == geteuid())
        bit = S_IWUSR;
    else if (info.st_gid == getegid())
        bit = S_IWGRP;
    return (info.st_mode & bit) != 0 && access(path.c_str(), W_OK) == 0;
}

bool IsOpen(HKEY key)
{
    std::lock_guard lock(g_mutex);
    return g_open.count(key) != 0;
}

// Wine keeps the machine's 32-bit view of SOFTWARE below Software\Wow6432Node; other keys are shared.
std::string Path32(const std::string& path)
{
    constexpr char kSoftware[] = "software";
    constexpr size_t kLength = sizeof kSoftware - 1;
    if (path.size() < kLength || (path.size() > kLength && path[kLength] != '\\'))
        return {};
    for (size_t i = 0; i < kLength; ++i)
        if (std::tolower(static_cast<unsigned char>(path[i])) != kSoftware[i])
            return {};
    return "Software\\Wow6432Node" + path.substr(kLength);
}

// Opens path in the hive of base (a root's or an open key's).
LONG OpenInHive(const HKEY__& base, const std::string& path, REGSAM desired, HKEY* result)
{
    if (!base.hive->FindKey(path))
        return ERROR_FILE_NOT_FOUND;
    if ((desired & ~kReadOnlyRights) != 0 && !FileWritable(base.hivePath))
        return ERROR_ACCESS_DENIED;

    HKEY opened = new HKEY__{base.hive, base.hivePath, path};
    std::lock_guard lock(g_mutex);
    g_open.insert(opened);
    *result = opened;
    return ERROR_SUCCESS;
}

} // namespace

LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD /*options*/, REGSAM desired, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;

    HKEY__ base;
    if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) {
        base.hivePath = HiveFile(key);
        std::optional<CRegistryHive> loaded = CRegistryHive::Load(base.hivePath);
        if (!loaded)
            return ERROR_FILE_NOT_FOUND;
        base.hive = std::make_shared<const CRegistryHive>(std::move(*loaded));
    } else if (IsOpen(key)) {
        base = *key;
    } else {
        return ERROR_INVALID_HANDLE;
    }
    std::string path = base.path;
    if (subKey && *subKey)
        path += std::string(path.empty() ? "" : "\\") + subKey;

    // As on Windows: the view named, else the native view and then the 32-bit one, for the machine's keys.
    const std::string path32 = key == HKEY_LOCAL_MACHINE ? Path32(path) : std::string();
    if ((desired & KEY_WOW64_32KEY) && !path32.empty())
        return OpenInHive(base, path32, desired, result);
    const LONG status = OpenInHive(base, path, desired, result);
    if ((status != ERROR_FILE_NOT_FOUND && status != ERROR_ACCESS_DENIED) || (desired & KEY_WOW64_64KEY) ||
        path32.empty())
        return status;
    const LONG view32 = OpenInHive(base, path32, desired, result);
    if (view32 == ERROR_SUCCESS || view32 == ERROR_ACCESS_DENIED)
        return view32;
    return status; // a refusal says more than a missing 32-bit key
}

LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                     DWORD* dataSize)
{
    if (reserved || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    if (!IsOpen(key))
        return ERROR_INVALID_HANDLE;
    const CRegistryHive::Key* found = key->hive->FindKey(key->path);
    const CRegistryHive::Value* value =
        found ? CRegistryHive::FindValue(*found, valueName ? valueName : "") : nullptr;
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    const auto size = static_cast<DWORD>(value->data.size());
    if (!dataSize)
        return ERROR_SUCCESS;
    if (data && *dataSize < size) {
        *dataSize = size;
        return ERROR_MORE_DATA;
    }
    if (data && size)
        std::memcpy(data, value->data.data(), size);
    *dataSize = size;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    {
        std::lock_guard lock(g_mutex);
        if (!g_open.erase(key))
            return ERROR_INVALID_HANDLE;
    }
    delete key;
    return ERROR_SUCCESS;
}
