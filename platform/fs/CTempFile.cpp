// Temporary files beside their targets: what both systems share (ownership and removal).
#include "platform/fs/CTempFile.h"

#include "platform/fs/FileSystem.h"

CTempFile::~CTempFile()
{
    Remove();
}

CTempFile::CTempFile(CTempFile&& other) noexcept
    : m_strPath(std::move(other.m_strPath)), m_strTarget(std::move(other.m_strTarget)), m_hLock(other.m_hLock)
{
    other.m_strPath.clear();
    other.m_hLock = -1;
}

CTempFile& CTempFile::operator=(CTempFile&& other) noexcept
{
    if (this != &other) {
        Remove();
        m_strPath = std::move(other.m_strPath);
        m_strTarget = std::move(other.m_strTarget);
        m_hLock = other.m_hLock;
        other.m_strPath.clear();
        other.m_hLock = -1;
    }
    return *this;
}

void CTempFile::Remove()
{
    // The lock goes first: on Windows an open file is only marked for deletion.
    const std::string path = m_strPath;
    Release();
    if (!path.empty())
        DeleteFile(path);
}
