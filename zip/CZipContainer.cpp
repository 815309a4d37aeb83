// CZipContainer: opening, closing, entry lookup, zlib memory hooks.
#include "zip/CZipContainer.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "zip/CZipPathParts.h"
#include "zip/ZipConvert.h"
#include "zip/ZipFileHelpers.h"

namespace {

// Case-insensitive comparison of multibyte text: ASCII letters fold, other bytes compare as they are.
int CompareNoCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

CZipContainer::CZipContainer() : m_pCompare(CompareNoCase)
{
    m_directory.Init(&m_store, m_pCompare);
}

CZipContainer::~CZipContainer()
{
    if (!IsClosed()) {
        // Still open here means the command owning the container did not finish: put back what was
        // opened and let go of the file without writing a directory.
        try {
            CloseArchive(AfterErrorNoWrite);
        } catch (...) {
            try {
                m_store.Close(true);
            } catch (...) {
            }
        }
    }
    FreeZlibBlocks();
}

void CZipContainer::Throw(int code) const
{
    throw CZipException(code, GetArchivePath());
}

void CZipContainer::CheckZlib(int result) const
{
    if (result != Z_OK && result != Z_NEED_DICT)
        Throw(CZipException::ZlibToZipError(result));
}

std::string CZipContainer::GetArchivePath() const
{
    return IsClosed() ? std::string() : m_store.GetFilePath();
}

void CZipContainer::OpenArchive(const std::string& path, int mode, uint64_t volumeSize)
{
    if (!IsClosed())
        return;
    m_store.Open(path, mode, volumeSize);
    StartOpened(mode);
}

void CZipContainer::OpenArchive(CZipFileBase& file, int mode)
{
    if (!IsClosed())
        return;
    m_store.Attach(&file, mode);
    StartOpened(mode);
}

void CZipContainer::StartOpened(int mode)
{
    m_info.m_buffer.Release();
    m_iState = StateNone;
    m_directory.Clear();
    m_iHostSystem = zipconv::kOwnSystem;
    m_strRootPath.clear();
    if (mode == OpenExisting || mode == OpenReadOnly) {
        m_directory.ReadDirectory();
        if (m_directory.GetCount() > 0) {
            const int system = m_directory.GetEntry(0)->GetHostSystem();
            if (zipconv::IsKnownSystem(system))
                m_iHostSystem = system;
        }
    }
}

void CZipContainer::CloseArchive(int afterError, bool stampNewest)
{
    if (IsClosed())
        return;
    if (afterError == AfterErrorNone) {
        if (m_iState == StateReading)
            EndEntryRead(std::string(), false);
        else if (m_iState == StateWriting)
            EndEntryWrite(false);
        m_directory.WriteDirectory();
    } else {
        CloseAfterError(afterError);
    }

    std::time_t newest = 0;
    bool haveNewest = false;
    if (stampNewest) {
        for (size_t i = 0; i < m_directory.GetCount(); ++i) {
            const std::time_t t = m_directory.GetEntry(i)->GetTime();
            if (!haveNewest || t > newest) {
                newest = t;
                haveNewest = true;
            }
        }
    }
    m_directory.Clear();
    const std::string path = m_store.Close(afterError == AfterErrorNoWrite);
    if (stampNewest && haveNewest && !path.empty())
        zipfs::SetFileModTime(path, newest);
}

void CZipContainer::CloseAfterError(int afterError)
{
    // Already on an error path: what fails here cannot be reported better than the first error,
    // and the file must be let go of in any case.
    try {
        if (m_iState == StateReading)
            EndEntryRead(std::string(), true);
        else if (m_iState == StateWriting)
            EndEntryWrite(true);
    } catch (...) {
    }
    m_iState = StateNone;
    try {
        if (m_directory.HasChangedSinceRead() && !m_store.IsReadOnly())
            m_directory.RestoreAsRead();
        if (afterError != AfterErrorNoWrite)
            m_directory.WriteDirectory();
    } catch (...) {
    }
}

int CZipContainer::EntryCount() const
{
    return static_cast<int>(m_directory.GetCount());
}

bool CZipContainer::GetEntryInfo(int index, CZipEntryHeader& info) const
{
    if (IsClosed() || index < 0 || static_cast<size_t>(index) >= m_directory.GetCount())
        return false;
    info = *m_directory.GetEntry(static_cast<size_t>(index));
    return true;
}

int CZipContainer::FindEntry(const std::string& name, bool caseSensitive, bool nameOnly)
{
    if (IsClosed())
        return -1;
    return m_directory.FindEntry(name, caseSensitive, nameOnly);
}

void CZipContainer::SetRootPath(const std::string& path)
{
    m_strRootPath = path;
    CZipPathParts::RemoveTrailingSeparators(m_strRootPath);
}

std::string CZipContainer::NameRelativeToRoot(const std::string& name) const
{
    if (!m_strRootPath.empty() && name.size() >= m_strRootPath.size() &&
        m_pCompare(name.substr(0, m_strRootPath.size()), m_strRootPath) == 0 &&
        (name.size() == m_strRootPath.size() || CZipPathParts::IsSeparator(name[m_strRootPath.size()]))) {
        std::string rest = name.substr(m_strRootPath.size());
        while (!rest.empty() && CZipPathParts::IsSeparator(rest.front()))
            rest.erase(0, 1);
        return rest;
    }
    return CZipPathParts(name).GetFileName();
}

void* CZipContainer::ZlibAlloc(void* opaque, unsigned items, unsigned size)
{
    auto* self = static_cast<CZipContainer*>(opaque);
    void* block = std::calloc(items, size);
    if (block) {
        try {
            self->m_zlibBlocks.push_back(block);
        } catch (...) {
            std::free(block);
            return nullptr;
        }
    }
    return block;
}

void CZipContainer::ZlibFree(void* opaque, void* block)
{
    auto* self = static_cast<CZipContainer*>(opaque);
    auto& blocks = self->m_zlibBlocks;
    auto it = std::find(blocks.begin(), blocks.end(), block);
    if (it != blocks.end())
        blocks.erase(it);
    std::free(block);
}

void CZipContainer::PrepareStream()
{
    m_info.m_stream = z_stream{};
    m_info.m_stream.zalloc = ZlibAlloc;
    m_info.m_stream.zfree = ZlibFree;
    m_info.m_stream.opaque = this;
}

void CZipContainer::FreeZlibBlocks()
{
    for (void* block : m_zlibBlocks)
        std::free(block);
    m_zlibBlocks.clear();
    m_info.m_stream = z_stream{};
    m_info.m_bStreamActive = false;
}
