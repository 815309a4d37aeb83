// CZipFile forwards to CFile; CZipFileBase's default open.
#include "zip/CZipFile.h"

bool CZipFileBase::Open(const std::string&, unsigned, bool)
{
    return true;
}

CZipFile::~CZipFile() = default;

bool CZipFile::Open(const std::string& path, unsigned flags, bool throwOnFailure)
{
    CFileException error;
    m_strOpenedName = path;
    const bool opened = CFile::Open(path, flags, &error);
    if (!opened && throwOnFailure)
        throw error;
    return opened;
}

void CZipFile::Close()
{
    if (CFile::IsOpen())
        CFile::Close();
}

std::string CZipFile::GetFilePath() const
{
    const std::string path = CFile::GetFilePath();
    return path.empty() ? m_strOpenedName : path;
}
