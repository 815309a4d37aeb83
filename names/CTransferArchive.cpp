// The transfer archive VMRNames.zip of a save folder, changed all or nothing.
#include "names/CTransferArchive.h"

#include <vector>

#include "names/CNamePackage.h"
#include "names/NameOrder.h"
#include "platform/fs/CFile.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "zip/CZipContainer.h"
#include "zip/CZipPathParts.h"

namespace {

constexpr unsigned kBufferSize = 65536;
// Files shorter than this are stored: deflating them would only make them longer.
constexpr uint32_t kStoreBelow = 5;

// Writes the data of from over the file to, which keeps its name and marks (a hidden temporary may be
// rewritten on Windows only by opening it, never by copying onto it).
void CopyData(const std::string& from, const std::string& to)
{
    CFile source(from, CFile::modeRead | CFile::shareDenyWrite);
    CFile target(to, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    target.Reserve(source.GetLength());
    std::vector<char> buffer(kBufferSize);
    unsigned n;
    while ((n = source.Read(buffer.data(), kBufferSize)) > 0)
        target.Write(buffer.data(), n);
    target.Close();
}

// Runs f, naming archive instead of any of the temporaries in the errors it raises: those are ours,
// the user knows only the archive.
template <typename F>
auto AsArchive(const std::vector<std::string>& temporaries, const std::string& archive, F&& f)
{
    auto rename = [&](std::string& file) {
        for (const std::string& temporary : temporaries)
            // Paths compare as the drive mapping matches them: case aside.
            if (!temporary.empty() && namelist::EqualsFolded(file, temporary))
                file = archive;
    };
    try {
        return f();
    } catch (CFileException& e) {
        rename(e.m_strFileName);
        throw;
    } catch (CZipException& e) {
        rename(e.m_strFile);
        throw;
    }
}

// The entry's name when it is a file outside any folder, else empty.
std::string TopLevelFileName(const CZipEntryHeader& header)
{
    if (header.IsFolder())
        return std::string();
    std::string name = CZipPathParts(header.GetName()).GetPathWithoutDrive();
    while (!name.empty() && CZipPathParts::IsSeparator(name.front()))
        name.erase(0, 1);
    for (char c : name)
        if (CZipPathParts::IsSeparator(c))
            return std::string();
    return name;
}

// Copies entry index of source to the end of target under name, through its plain data, so that the
// CRC is checked on the way. False when target refuses a new entry.
bool CopyEntry(CZipContainer& source, int index, const std::string& name, CZipContainer& target)
{
    CZipEntryHeader from;
    source.GetEntryInfo(index, from);
    CZipEntryHeader entry;
    entry.SetName(name);
    entry.SetHostSystem(target.GetHostSystem());
    // The attributes the file would have had on disk after unpacking.
    entry.StoreAttributes(
        (from.GetAttributes() & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) |
        FILE_ATTRIBUTE_ARCHIVE);
    entry.m_uDosTime = from.m_uDosTime;
    entry.m_uDosDate = from.m_uDosDate;
    if (!source.BeginEntryRead(index))
        throw CZipException(ZipErrorBadZipFile, source.GetArchivePath());
    if (!target.BeginEntryWrite(entry, from.m_uPlainSize < kStoreBelow ? 0 : -1))
        return false;
    std::vector<char> buffer(kBufferSize);
    unsigned n;
    do {
        n = source.ReadEntryData(buffer.data(), kBufferSize);
        target.WriteEntryData(buffer.data(), n);
    } while (n == kBufferSize);
    if (source.EndEntryRead() != 1)
        throw CZipException(ZipErrorBadZipFile, source.GetArchivePath());
    target.EndEntryWrite();
    return true;
}

} // namespace

CTransferArchive::CTransferArchive(std::string saveFolder) : m_strSaveFolder(std::move(saveFolder)) {}

std::string CTransferArchive::GetPath() const
{
    return m_strSaveFolder + "VMRNames.zip";
}

bool CTransferArchive::Exists() const
{
    return FileExists(GetPath());
}

void CTransferArchive::RemoveStaleTemporaries() const
{
    RemoveStaleTempFiles({GetPath()});
}

void CTransferArchive::AdoptPackage(CTempFile& package)
{
    const std::string archive = GetPath();
    CNamePackage::Verify(package.GetPath());
    if (!package.MoveIntoPlace())
        throw CFileException::FromLastOsError(archive);
}

bool CTransferArchive::AddPackage(const std::string& packagePath)
{
    const std::string archive = GetPath();
    CTempFile work;
    if (!work.Create(archive))
        throw CFileException::FromLastOsError(archive);
    const bool added = AsArchive({work.GetPath()}, archive, [&] {
        CopyData(archive, work.GetPath());
        CZipContainer package;
        package.OpenArchive(packagePath, CZipContainer::OpenReadOnly);
        CZipContainer copy;
        copy.OpenArchive(work.GetPath(), CZipContainer::OpenExisting);
        for (int i = 0; i < package.EntryCount(); ++i) {
            CZipEntryHeader header;
            package.GetEntryInfo(i, header);
            const std::string name = TopLevelFileName(header);
            if (!name.empty() && !CopyEntry(package, i, name, copy))
                return false; // both containers let go of their files unchanged as they go
        }
        copy.CloseArchive();
        package.CloseArchive();
        return true;
    });
    if (added && !work.MoveIntoPlace())
        throw CFileException::FromLastOsError(archive);
    return added;
}
