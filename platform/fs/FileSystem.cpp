// File-system helpers that are the same on both systems, written over the file layer.
#include "platform/fs/FileSystem.h"

#include "platform/fs/CFile.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/detail/FsBackend.h"

bool GetFileSize(const std::string& path, uint64_t& size)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return false;
    try {
        size = file.GetLength();
        return true;
    } catch (const CFileException&) {
        return false;
    }
}

bool CanCreateFilesIn(const std::string& folder)
{
    std::string existing = folder;
    while (!existing.empty() && (existing.back() == '\\' || existing.back() == '/'))
        existing.pop_back();
    while (!existing.empty() && !FolderExists(existing)) {
        const size_t cut = existing.find_last_of("\\/");
        existing = cut == std::string::npos ? std::string() : existing.substr(0, cut);
    }
    CTempFile probe;
    return probe.Create((existing.empty() ? folder : existing) + "\\Zentrimo");
}
