// File-system helpers that are the same on both systems, written over the file layer.
#include "platform/fs/FileSystem.h"

#include "platform/fs/CFile.h"

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
