// CZipContainer: writing entries (deflate or stored, CRC and sizes) and adding files from disk.
#include "zip/CZipContainer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/fs/CFile.h"
#include "platform/fs/FileSystem.h"
#include "zip/CZipPathParts.h"
#include "zip/ZipConvert.h"
#include "zip/ZipFileHelpers.h"

namespace {

constexpr uint64_t kMaxEntrySize = 0xFFFFFFFFu;

uint16_t LevelFlags(int level)
{
    switch (level) {
    case 1:
        return 0x6;
    case 2:
        return 0x4;
    case 8:
    case 9:
        return 0x2;
    default:
        return 0;
    }
}

} // namespace

bool CZipContainer::AddFileFromDisk(const std::string& path, int level, bool keepPath, int smartFlags,
                                    unsigned bufferSize)
{
    CZipAddRequest request;
    request.m_strSourcePath = path;
    request.m_bKeepPath = keepPath;
    request.m_iLevel = level;
    request.smartFlags = smartFlags;
    request.m_uBufferSize = bufferSize;
    return AddFile(request);
}

bool CZipContainer::AddFile(const CZipAddRequest& request)
{
    if (m_info.m_uBufferSize == 0 || request.m_uBufferSize == 0 || IsClosed())
        return false;
    std::string source = request.m_strSourcePath;
    CZipPathParts::RemoveTrailingSeparators(source);
    if (source.empty())
        return false;
    // Reading the archive into itself would never end.
    if (IsSameFile(source, GetArchivePath()))
        return false;

    std::string name = request.m_strNameInArchive;
    if (name.empty())
        name = request.m_bKeepPath ? CZipPathParts(source).GetPathWithoutDrive() : NameRelativeToRoot(source);

    int replace = request.m_iReplaceIndex;
    if (replace == CZipAddRequest::kReplaceByName)
        replace = FindEntry(name, false, false);
    if (replace >= 0) {
        if (!m_store.IsSingleFile() || replace >= EntryCount())
            return false;
        // Only the last entry can be replaced: its place is simply taken over by the new one.
        if (replace != EntryCount() - 1)
            return false;
    }

    uint32_t attributes = 0;
    if (!zipfs::GetFileAttrs(source, attributes))
        return false;
    std::time_t modified;
    if (!zipfs::GetFileModTime(source, modified))
        modified = std::time(nullptr);

    CZipEntryHeader header;
    header.SetName(name);
    header.SetHostSystem(m_iHostSystem);
    header.StoreAttributes(attributes);
    header.SetTime(modified);

    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (replace >= 0)
            m_directory.RemoveLastEntry();
        const bool begun = BeginEntryWrite(header, 0);
        if (begun)
            EndEntryWrite(false);
        return begun;
    }

    int level = request.m_iLevel;
    if ((request.smartFlags & CZipAddRequest::SmartStoreSmall) && level != 0) {
        uint64_t size = 0;
        if (zipfs::GetFileSize(source, size) && size < 5)
            level = 0;
    }

    CFile input;
    if (!input.Open(source, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return false;
    if (replace >= 0)
        m_directory.RemoveLastEntry();
    if (!BeginEntryWrite(header, level))
        return false;
    CZipBuffer buffer(request.m_uBufferSize);
    for (;;) {
        const unsigned n = input.Read(buffer.Data(), request.m_uBufferSize);
        if (n > 0)
            WriteEntryData(buffer.Data(), n);
        if (n < request.m_uBufferSize) {
            EndEntryWrite(false);
            break;
        }
    }
    input.Close();
    return true;
}

bool CZipContainer::BeginEntryWrite(CZipEntryHeader& header, int level, const std::string& sourcePath)
{
    if (IsClosed() || m_iState != StateNone || !m_store.IsSingleFile() ||
        m_directory.GetCount() >= CZipDirectory::kMaxEntries || m_store.IsReadOnly())
        return false;
    header.SetHostSystem(m_iHostSystem);
    if (!sourcePath.empty()) {
        uint32_t attributes = 0;
        if (!zipfs::GetFileAttrs(sourcePath, attributes))
            return false;
        std::time_t modified;
        if (!zipfs::GetFileModTime(sourcePath, modified))
            modified = std::time(nullptr);
        header.StoreAttributes(attributes);
        header.SetTime(modified);
    }
    m_info.m_buffer.Allocate(m_info.m_uBufferSize);

    const bool folder = header.IsFolder();
    std::string name = header.GetName();
    if (name.empty()) {
        char generated[32];
        std::snprintf(generated, sizeof(generated), "file%i", EntryCount());
        name = generated;
    }
    std::replace(name.begin(), name.end(), '/', '\\');
    if (folder && name.back() != '\\')
        name += '\\';
    header.SetName(name);
    if (level < -1 || level > 9)
        level = -1;

    header.m_uSignature = CZipEntryHeader::kCentralSignature;
    header.m_uInternal = 0;
    header.m_uNeeded = folder ? 10 : 20;
    header.m_uMadeBy = static_cast<uint16_t>((header.m_uMadeBy & 0xFF00) | 20);
    header.m_uCrc = 0;
    header.m_uPackedSize = 0;
    header.m_uPlainSize = 0;
    // A folder is always stored; deciding it before the local header keeps both headers alike.
    if (level == 0 || folder)
        header.m_uMethod = kMethodStored;
    else if (header.m_uMethod != kMethodStored && header.m_uMethod != kMethodDeflated)
        header.m_uMethod = kMethodDeflated;
    header.m_uFlags = header.m_uMethod == kMethodDeflated ? LevelFlags(level) : 0;
    // The limit applies to the name as it will be stored, which may be shorter or longer than in memory.
    CZipEntryHeader stored(header);
    m_directory.StoreName(stored);
    if (stored.m_storedName.Size() > 0xFFFF || header.m_extra.Size() > 0xFFFF ||
        header.m_comment.Size() > 0xFFFF)
        Throw(ZipErrorTooLongData);

    m_directory.AddNewEntry(header);

    PrepareStream();
    m_info.m_uLeftPlain = 0;
    m_info.m_uLeftPacked = 0;
    m_info.m_uCrc = 0;
    m_info.m_stream.next_out = reinterpret_cast<Bytef*>(m_info.m_buffer.Data());
    m_info.m_stream.avail_out = m_info.m_uBufferSize;
    m_iState = StateWriting;
    if (m_directory.GetOpenEntry()->m_uMethod == kMethodDeflated) {
        CheckZlib(deflateInit2(&m_info.m_stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY));
        m_info.m_bStreamActive = true;
    }
    return true;
}

void CZipContainer::FlushWritePending()
{
    z_stream& stream = m_info.m_stream;
    const unsigned pending = m_info.m_uBufferSize - stream.avail_out;
    if (pending > 0) {
        m_store.Write(m_info.m_buffer.Data(), pending);
        m_info.m_uLeftPacked += pending;
    }
    stream.next_out = reinterpret_cast<Bytef*>(m_info.m_buffer.Data());
    stream.avail_out = m_info.m_uBufferSize;
}

bool CZipContainer::WriteEntryData(const void* buffer, unsigned size)
{
    if (m_iState != StateWriting)
        return false;
    if (size == 0)
        return true;
    if (m_info.m_uLeftPlain + size > kMaxEntrySize)
        Throw(ZipErrorFileTooLarge);
    m_info.m_uCrc = static_cast<uint32_t>(crc32(m_info.m_uCrc, static_cast<const Bytef*>(buffer), size));
    m_info.m_uLeftPlain += size;
    z_stream& stream = m_info.m_stream;
    const bool deflated = m_directory.GetOpenEntry()->m_uMethod == kMethodDeflated;
    if (deflated) {
        stream.next_in = const_cast<Bytef*>(static_cast<const Bytef*>(buffer));
        stream.avail_in = size;
        while (stream.avail_in > 0) {
            if (stream.avail_out == 0)
                FlushWritePending();
            CheckZlib(deflate(&stream, Z_NO_FLUSH));
        }
    } else {
        const auto* in = static_cast<const Bytef*>(buffer);
        while (size > 0) {
            if (stream.avail_out == 0)
                FlushWritePending();
            const unsigned count = std::min(size, static_cast<unsigned>(stream.avail_out));
            std::memcpy(stream.next_out, in, count);
            stream.next_out += count;
            stream.avail_out -= count;
            in += count;
            size -= count;
        }
    }
    return true;
}

bool CZipContainer::EndEntryWrite(bool afterError)
{
    if (m_iState != StateWriting)
        return false;
    CZipEntryHeader* entry = m_directory.GetOpenEntry();
    if (afterError) {
        // The unfinished entry is dropped, so that a directory written after the error lists only
        // finished entries.
        m_directory.CloseOpenEntry();
        m_directory.DropLastEntry();
    } else {
        z_stream& stream = m_info.m_stream;
        if (entry->m_uMethod == kMethodDeflated) {
            stream.next_in = nullptr;
            stream.avail_in = 0;
            for (;;) {
                if (stream.avail_out == 0)
                    FlushWritePending();
                const int result = deflate(&stream, Z_FINISH);
                if (result == Z_STREAM_END)
                    break;
                CheckZlib(result);
            }
        }
        FlushWritePending();
        if (m_info.m_bStreamActive) {
            const int result = deflateEnd(&stream);
            m_info.m_bStreamActive = false;
            CheckZlib(result);
        }
        if (m_info.m_uLeftPacked > kMaxEntrySize)
            Throw(ZipErrorFileTooLarge);
        entry->m_uCrc = m_info.m_uCrc;
        entry->m_uPackedSize = static_cast<uint32_t>(m_info.m_uLeftPacked);
        entry->m_uPlainSize = static_cast<uint32_t>(m_info.m_uLeftPlain);
        m_directory.CloseNewEntry();
    }
    m_iState = StateNone;
    m_info.m_buffer.Release();
    FreeZlibBlocks();
    return true;
}
