// CZipContainer: reading entries (inflate or stored copy, CRC check) and extracting them to files.
#include "zip/CZipContainer.h"

#include <algorithm>
#include <cstring>

#include "platform/fs/CFile.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "zip/CZipPathParts.h"
#include "zip/ZipCrc32.h"
#include "zip/ZipFileHelpers.h"

namespace {

// Joins the components of a relative name with '\', dropping empty, "." and ".." components so
// that the result always stays below the folder it is appended to.
std::string ConfinedRelativePath(const std::string& name)
{
    std::string result;
    std::string part;
    auto flush = [&] {
        if (!part.empty() && part != "." && part != "..") {
            if (!result.empty())
                result += '\\';
            result += part;
        }
        part.clear();
    };
    for (char c : name) {
        if (CZipPathParts::IsSeparator(c))
            flush();
        else
            part += c;
    }
    flush();
    return result;
}

// Runs f, naming target in a file error it raises on the temporary: that file is ours, the user knows
// only the file it becomes. Errors of the archive itself keep its name.
template <typename F> void AsTarget(const std::string& temporary, const std::string& target, F&& f)
{
    try {
        f();
    } catch (CFileException& e) {
        if (e.m_strFileName == temporary)
            e.m_strFileName = target;
        throw;
    }
}

} // namespace

std::string CZipContainer::GetExtractPath(const CZipEntryHeader& header, const std::string& folder,
                                          bool keepPath, const std::string& newName) const
{
    std::string path = folder;
    if (!path.empty()) {
        CZipPathParts::RemoveTrailingSeparators(path);
        path += '\\';
    }
    std::string name = newName.empty() ? header.GetName() : newName;
    CZipPathParts::RemoveTrailingSeparators(name);
    const std::string relative =
        keepPath ? CZipPathParts(name).GetPathWithoutDrive() : NameRelativeToRoot(name);
    const std::string confined = ConfinedRelativePath(relative);
    if (confined.empty())
        return folder;
    return path + confined;
}

bool CZipContainer::ExtractEntry(int index, const std::string& folder, bool keepPath,
                                 const std::string& newName, unsigned bufferSize)
{
    CTempFile staged;
    const int result = StageEntry(index, folder, staged, keepPath, newName, bufferSize);
    if (staged.IsCreated() && !staged.MoveIntoPlace())
        throw CFileException::FromLastOsError(staged.GetTarget());
    return result == 1;
}

int CZipContainer::StageEntry(int index, const std::string& folder, CTempFile& staged, bool keepPath,
                              const std::string& newName, unsigned bufferSize)
{
    staged.Remove();
    // A zero buffer could never deliver the end of an entry.
    if (bufferSize == 0)
        return 0;
    CZipEntryHeader header;
    if (!GetEntryInfo(index, header))
        return 0;
    const std::string target = GetExtractPath(header, folder, keepPath, newName);

    if (header.IsFolder()) {
        zipfs::ForceDirectory(target);
        // A read-only mark means nothing for a folder and would only block its contents; a name
        // that reduces to the target folder itself leaves that folder as it is.
        if (target != folder)
            zipfs::SetFileAttrs(target, header.GetAttributes() & ~FILE_ATTRIBUTE_READONLY);
        return 1;
    }
    // A file entry whose name leaves nothing below the folder has no place to go.
    if (target == folder)
        return 0;
    if (!BeginEntryRead(index))
        return 0;

    zipfs::ForceDirectory(CZipPathParts(target).GetFilePath());
    uint32_t existing = 0;
    if (zipfs::GetFileAttrs(target, existing) &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw CFileException(CFileException::accessDenied, 0, target); // our refusal, no system's error

    if (!staged.Create(target))
        throw CFileException::FromLastOsError(target);
    CFile out;
    CFileException openError;
    const unsigned flags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite;
    if (!out.Open(staged.GetPath(), flags, &openError)) {
        openError.m_strFileName = target;
        throw openError;
    }
    AsTarget(staged.GetPath(), target, [&] {
        WriteEntryDataTo(out, bufferSize);
        out.Close();
    });

    // The entry's marks wait for the move into place (a read-only or unhidden temporary could be
    // neither replaced nor removed on Windows); its time goes on now and travels with the file.
    int result = EndEntryRead(std::string(), false);
    if (result == 1) {
        staged.SetPlacedAttributes(header.GetAttributes());
        if (!zipfs::SetFileModTime(staged.GetPath(), header.GetTime()))
            result = -2;
    }
    if (result != 1 && result != -2)
        staged.Remove();
    return result;
}

bool CZipContainer::BeginEntryRead(int index)
{
    if (IsClosed() || index < 0 || static_cast<size_t>(index) >= m_directory.GetCount() ||
        m_iState != StateNone)
        return false;
    m_info.m_buffer.Allocate(m_info.m_uBufferSize);
    m_directory.OpenEntry(static_cast<size_t>(index));
    CZipEntryHeader* entry = m_directory.GetOpenEntry();
    if (entry->IsEncrypted()) {
        m_directory.CloseOpenEntry();
        Throw(ZipErrorBadPassword);
    }
    PrepareStream();
    if (entry->m_uMethod == kMethodDeflated) {
        CheckZlib(inflateInit2(&m_info.m_stream, -MAX_WBITS));
        m_info.m_bStreamActive = true;
    } else if (entry->m_uMethod != kMethodStored) {
        m_directory.CloseOpenEntry();
        Throw(ZipErrorBadZipFile);
    }
    m_info.m_uLeftPacked = entry->m_uPackedSize;
    m_info.m_uLeftPlain = entry->m_uPlainSize;
    m_info.m_uCrc = 0;
    m_info.m_bDummyOffered = false;
    m_info.m_bStreamEnded = false;
    m_iState = StateReading;
    return true;
}

unsigned CZipContainer::ReadEntryData(void* buffer, unsigned size)
{
    if (m_iState != StateReading || buffer == nullptr || size == 0 || m_info.m_bStreamEnded)
        return 0;
    const CZipEntryHeader* entry = m_directory.GetOpenEntry();
    const bool deflated = entry->m_uMethod == kMethodDeflated;
    z_stream& stream = m_info.m_stream;
    auto* out = static_cast<unsigned char*>(buffer);
    const unsigned window = static_cast<unsigned>(std::min<uint64_t>(size, m_info.m_uLeftPlain));
    // An entry that claims no more output may still hold the end of its deflate stream.
    const bool force = deflated && window == 0 && m_info.m_uLeftPacked > 0;
    unsigned produced = 0;

    while (produced < window || (force && m_info.m_uLeftPacked > 0)) {
        if (stream.avail_in == 0) {
            const unsigned chunk =
                static_cast<unsigned>(std::min<uint64_t>(m_info.m_uBufferSize, m_info.m_uLeftPacked));
            if (chunk == 0) {
                if (!deflated)
                    break;
                // Raw deflate may want one byte past its data to finish; a stream that still does
                // not end is damaged, and nothing from beyond the entry is ever fed to it.
                if (m_info.m_bDummyOffered)
                    Throw(ZipErrorBadZipFile);
                m_info.m_buffer.Data()[0] = 0;
                stream.next_in = reinterpret_cast<Bytef*>(m_info.m_buffer.Data());
                stream.avail_in = 1;
                m_info.m_bDummyOffered = true;
            } else {
                m_store.Read(m_info.m_buffer.Data(), chunk);
                stream.next_in = reinterpret_cast<Bytef*>(m_info.m_buffer.Data());
                stream.avail_in = chunk;
                m_info.m_uLeftPacked -= chunk;
            }
        }
        if (deflated) {
            stream.next_out = out + produced;
            stream.avail_out = window - produced;
            const int result = inflate(&stream, Z_SYNC_FLUSH);
            const unsigned got = (window - produced) - stream.avail_out;
            if (got > 0) {
                m_info.m_uCrc = zipcrc::Update(m_info.m_uCrc, out + produced, got);
                produced += got;
                m_info.m_uLeftPlain -= got;
            }
            if (result == Z_STREAM_END) {
                m_info.m_bStreamEnded = true;
                break;
            }
            if (result != Z_OK)
                Throw(CZipException::ZlibToZipError(result));
        } else {
            const unsigned count = std::min(window - produced, stream.avail_in);
            std::memcpy(out + produced, stream.next_in, count);
            m_info.m_uCrc = zipcrc::Update(m_info.m_uCrc, out + produced, count);
            stream.next_in += count;
            stream.avail_in -= count;
            produced += count;
            m_info.m_uLeftPlain -= count;
        }
    }
    return produced;
}

int CZipContainer::EndEntryRead(const std::string& path, bool afterError)
{
    if (m_iState != StateReading)
        return 0;
    CZipEntryHeader* entry = m_directory.GetOpenEntry();
    int result = 1;
    const bool complete = m_info.m_uLeftPlain == 0;
    if (!afterError) {
        if (!complete)
            result = -1;
        else if (!m_bIgnoreCrc && m_info.m_uCrc != entry->m_uCrc)
            Throw(ZipErrorBadCrc);
        if (m_info.m_bStreamActive) {
            inflateEnd(&m_info.m_stream);
            m_info.m_bStreamActive = false;
        }
        if (!path.empty()) {
            if (!zipfs::SetFileModTime(path, entry->GetTime()) ||
                !zipfs::SetFileAttrs(path, entry->GetAttributes()))
                result = -2;
        }
    }
    // The descriptor follows the data only when all of the data was read.
    if (!afterError && complete && m_info.m_uLeftPacked == 0)
        m_directory.CloseEntryRead();
    else
        m_directory.CloseOpenEntry();
    m_iState = StateNone;
    m_info.m_buffer.Release();
    FreeZlibBlocks();
    return result;
}
