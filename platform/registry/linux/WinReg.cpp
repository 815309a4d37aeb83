// Key handles over the hives in $WINEPREFIX: system.reg for the machine, user.reg for the user.
#include "platform/registry/WinReg.h"

#include <cstring>
#include <memory>
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

// Rights beyond reading (and the view flags, which change nothing here) ask to modify the key.
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

} // namespace

LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD /*options*/, REGSAM desired, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;

    auto handle = std::make_unique<HKEY__>();
    if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) {
        handle->hivePath = HiveFile(key);
        std::optional<CRegistryHive> hive = CRegistryHive::Load(handle->hivePath);
        if (!hive)
            return ERROR_FILE_NOT_FOUND;
        handle->hive = std::make_shared<const CRegistryHive>(std::move(*hive));
    } else if (IsOpen(key)) {
        handle->hive = key->hive;
        handle->hivePath = key->hivePath;
        handle->path = key->path;
    } else {
        return ERROR_INVALID_HANDLE;
    }

    if (subKey && *subKey)
        handle->path += std::string(handle->path.empty() ? "" : "\\") + subKey;
    if (!handle->hive->FindKey(handle->path))
        return ERROR_FILE_NOT_FOUND;
    if ((desired & ~kReadOnlyRights) != 0 && !FileWritable(handle->hivePath))
        return ERROR_ACCESS_DENIED;

    HKEY opened = handle.release();
    std::lock_guard lock(g_mutex);
    g_open.insert(opened);
    *result = opened;
    return ERROR_SUCCESS;
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
