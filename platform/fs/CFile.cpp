// What files do the same on both systems: opening in the constructor, closing in the destructor, their
// name and the exception for a system error.
#include "platform/fs/CFile.h"

#include "platform/fs/detail/FsBackend.h"

CFile::CFile(const std::string& path, unsigned flags)
{
    CFileException error;
    if (!Open(path, flags, &error))
        throw error;
}

CFile::~CFile()
{
    Abort();
}

std::string CFile::GetFileName() const
{
    const size_t slash = m_strFilePath.find_last_of('\\');
    return slash == std::string::npos ? m_strFilePath : m_strFilePath.substr(slash + 1);
}

void CFile::ThrowOsError(long error) const
{
    throw CFileException(CFileException::OsErrorToCause(static_cast<int>(error)), error, m_strFilePath);
}
