// The ZIP component's file-system helpers over the platform's file layer.
#include "zip/ZipFileHelpers.h"

#include "platform/fs/FileSystem.h"
#include "zip/CZipPathParts.h"

namespace zipfs {

bool GetFileAttrs(const std::string& path, uint32_t& attributes)
{
    const uint32_t value = ::GetFileAttributes(path);
    if (value == INVALID_FILE_ATTRIBUTES)
        return false;
    attributes = value;
    return true;
}

bool SetFileAttrs(const std::string& path, uint32_t attributes)
{
    return ::SetFileAttributes(path, attributes);
}

bool GetFileModTime(const std::string& path, std::time_t& modified)
{
    return ::GetFileModificationTime(path, modified);
}

bool SetFileModTime(const std::string& path, std::time_t modified)
{
    return ::SetFileTimes(path, modified);
}

int FileExists(const std::string& path)
{
    if (::FolderExists(path))
        return -1;
    return ::FileExists(path) ? 1 : 0;
}

bool GetFileSize(const std::string& path, uint64_t& size)
{
    return ::GetFileSize(path, size);
}

bool ForceDirectory(const std::string& path)
{
    std::string folder = path;
    CZipPathParts::RemoveTrailingSeparators(folder);
    const std::string parent = CZipPathParts(folder).GetFilePath();
    if (parent == folder || FileExists(folder) == -1)
        return true;
    if (!ForceDirectory(parent))
        return false;
    return ::CreateDirectory(folder) || FileExists(folder) == -1;
}

} // namespace zipfs
