// The transfer archive VMRNames.zip of a save folder, changed all or nothing.
#include "names/dialogs/CTransferArchive.h"

#include <cerrno>
#include <vector>

#include "names/dialogs/CNamePackage.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CFileFind.h"
#include "platform/fs/FileSystem.h"
#include "zip/CZipContainer.h"

CTransferArchive::CTransferArchive(std::string saveFolder) : m_strSaveFolder(std::move(saveFolder)) {}

std::string CTransferArchive::GetPath() const
{
    return m_strSaveFolder + "VMRNames.zip";
}

bool CTransferArchive::Exists() const
{
    return FileExists(GetPath());
}

void CTransferArchive::AdoptPackage(const std::string& packagePath)
{
    try
    {
        CNamePackage::Verify(packagePath);
    }
    catch (...)
    {
        DeleteFile(packagePath);
        throw;
    }
    if (!MoveFileReplacing(packagePath, GetPath()))
    {
        const int error = errno;
        DeleteFile(packagePath);
        throw CFileException(CFileException::OsErrorToCause(error), error, GetPath());
    }
}

bool CTransferArchive::AddStagedFiles(const std::string& stagingFolder)
{
    const std::string archive = GetPath();
    std::string work;
    if (!CreateTempFileBeside(archive, work))
    {
        const int error = errno;
        throw CFileException(CFileException::OsErrorToCause(error), error, archive);
    }
    if (!CopyFile(archive, work, false))
    {
        const int error = errno;
        DeleteFile(work);
        throw CFileException(CFileException::OsErrorToCause(error), error, work);
    }

    std::vector<std::string> added;
    bool refused = false;
    CZipContainer zip;
    try
    {
        zip.OpenArchive(work, CZipContainer::OpenExisting);
        CFileFind finder;
        for (bool more = finder.FindFile(stagingFolder + "\\*.*"); more;)
        {
            more = finder.FindNextFile();
            if (finder.IsDots() || finder.IsDirectory())
                continue;
            const std::string file = finder.GetFilePath();
            if (!zip.AddFileFromDisk(file, -1, false, 7, 65536))
            {
                refused = true;
                break;
            }
            added.push_back(file);
        }
        finder.Close();
        if (refused)
            zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
        else
            zip.CloseArchive();
    }
    catch (...)
    {
        zip.CloseArchive(CZipContainer::AfterErrorNoWrite);
        DeleteFile(work);
        throw;
    }
    if (refused)
    {
        DeleteFile(work);
        return false;
    }
    if (!MoveFileReplacing(work, archive))
    {
        const int error = errno;
        DeleteFile(work);
        throw CFileException(CFileException::OsErrorToCause(error), error, archive);
    }
    // Only now that the archive holds them may the staged files go.
    for (const std::string& file : added)
        DeleteFile(file);
    return true;
}
