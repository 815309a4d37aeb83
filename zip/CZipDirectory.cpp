// Finding the end record, reading and writing the central directory, adding and finishing entries.
#include "zip/CZipDirectory.h"

#include <algorithm>
#include <cstring>

#include "zip/CZipBackingStore.h"
#include "zip/CZipException.h"
#include "zip/CZipPathParts.h"
#include "zip/ZipBytes.h"

using namespace zipbytes;

namespace {

constexpr uint64_t kMaxEndSearch = 22 + 65535;
constexpr uint64_t kMaxOffset = 0xFFFFFFFFu;

int CompareSensitive(const std::string& a, const std::string& b)
{
    return a.compare(b);
}

} // namespace

CZipDirectory::~CZipDirectory() = default;

void CZipDirectory::Init(CZipBackingStore* store, CompareFunction compare)
{
    m_pStore = store;
    m_pCompare = compare;
    Clear();
}

void CZipDirectory::Clear()
{
    m_headers.clear();
    InvalidateIndex();
    m_pOpenEntry = nullptr;
    m_comment.Release();
    m_localExtra.Release();
    m_uEndOffset = 0;
    m_uBytesBefore = 0;
    m_uThisDisk = m_uStartDiskOfDir = m_uEntriesThisDisk = m_uEntriesTotal = 0;
    m_uDirSize = 0;
    m_uDirOffset = 0;
    m_bOnDisk = false;
    m_bTailSaved = false;
    m_uCutPosition = 0;
    m_iEntriesAtRead = 0;
    m_savedTail.Release();
    m_savedHeaders.clear();
}

uint64_t CZipDirectory::LocateEndRecord()
{
    const uint64_t length = m_pStore->GetLength();
    const uint64_t window = std::min(length, kMaxEndSearch);
    CZipBuffer chunk(m_uSearchChunk);
    uint64_t nearEnd = 0;
    uint64_t farEnd = 0;
    do {
        farEnd = std::min<uint64_t>(nearEnd + m_uSearchChunk, window);
        const unsigned size = static_cast<unsigned>(farEnd - nearEnd);
        m_pStore->Seek(length - farEnd);
        m_pStore->Read(chunk.Data(), size);
        for (int64_t pos = int64_t(size) - 4; pos >= 0; --pos) {
            const char* p = chunk.Data() + pos;
            if (p[0] == 0x50 && p[1] == 0x4B && p[2] == 0x05 && p[3] == 0x06)
                return length - farEnd + uint64_t(pos);
        }
        nearEnd = farEnd - 3;
    } while (farEnd < window);
    throw CZipException(ZipErrorCentralDirNotFound, m_pStore->GetFilePath());
}

void CZipDirectory::ReadDirectory()
{
    const std::string path = m_pStore->GetFilePath();
    m_uEndOffset = LocateEndRecord();
    m_pStore->Seek(m_uEndOffset);
    char record[kEndRecordSize];
    m_pStore->Read(record, kEndRecordSize);
    m_uEndRecordSignature = Get32(record);
    m_uThisDisk = Get16(record + 4);
    m_uStartDiskOfDir = Get16(record + 6);
    m_uEntriesThisDisk = Get16(record + 8);
    m_uEntriesTotal = Get16(record + 10);
    m_uDirSize = Get32(record + 12);
    m_uDirOffset = Get32(record + 16);
    const uint16_t commentSize = Get16(record + 20);

    m_pStore->SetDiskFromEndRecord(m_uThisDisk);
    if (m_uEndOffset < uint64_t(m_uDirOffset) + m_uDirSize)
        throw CZipException(ZipErrorBadZipFile, path);
    m_comment.Allocate(commentSize);
    m_pStore->Read(m_comment.Data(), commentSize);
    m_uBytesBefore = m_uEndOffset - m_uDirOffset - m_uDirSize;
    if ((m_uDirSize == 0) != (m_uEntriesTotal == 0))
        throw CZipException(ZipErrorBadZipFile, path);
    m_bOnDisk = true;

    if (m_uDirSize != 0) {
        // The rest of the file in one read and the headers taken from memory: one call for the
        // directory, not two for every entry, so that opening a large archive to add to it stays cheap.
        // A header may run on past the directory's stated size, as far as reads of the file could go.
        const uint64_t start = m_uBytesBefore + m_uDirOffset;
        CZipBuffer bytes(static_cast<size_t>(m_pStore->GetLength() - start));
        m_pStore->Seek(start);
        m_pStore->Read(bytes.Data(), static_cast<unsigned>(bytes.Size()));
        m_headers.reserve(m_uEntriesTotal);
        size_t at = 0;
        for (unsigned i = 0; i < m_uEntriesTotal; ++i) {
            auto header = std::make_unique<CZipEntryHeader>();
            at += header->ReadCentral(bytes.Data() + at, bytes.Size() - at, path);
            m_headers.push_back(std::move(header));
        }
    }
    std::stable_sort(m_headers.begin(), m_headers.end(), [](const auto& a, const auto& b) {
        return a->m_uStartDisk != b->m_uStartDisk ? a->m_uStartDisk < b->m_uStartDisk
                                                  : a->m_uLocalOffset < b->m_uLocalOffset;
    });
    for (size_t i = 1; i < m_headers.size(); ++i)
        if (m_headers[i]->m_uStartDisk == m_headers[i - 1]->m_uStartDisk &&
            m_headers[i]->m_uLocalOffset == m_headers[i - 1]->m_uLocalOffset)
            throw CZipException(ZipErrorBadZipFile, path);
    if (m_bConvertNames)
        for (auto& header : m_headers)
            header->ConvertNameFromArchive(m_bOemConvert);
}

void CZipDirectory::WriteDirectory()
{
    if (m_bOnDisk)
        return;
    const std::string path = m_pStore->GetFilePath();
    m_pStore->Flush();
    m_pStore->SeekToEnd();
    m_uEntriesTotal = static_cast<uint16_t>(m_headers.size());
    m_uDirSize = 0;
    m_uStartDiskOfDir = static_cast<uint16_t>(m_pStore->GetCurrentDisk());
    const uint64_t start = m_pStore->GetPosition() - m_uBytesBefore;
    if (start > kMaxOffset)
        throw CZipException(ZipErrorFileTooLarge, path);
    m_uDirOffset = static_cast<uint32_t>(start);
    m_uEntriesThisDisk = 0;
    uint64_t size = 0;
    for (auto& header : m_headers) {
        size += header->WriteCentral(*m_pStore);
        ++m_uEntriesThisDisk;
    }
    if (size > kMaxOffset || start + size > kMaxOffset)
        throw CZipException(ZipErrorFileTooLarge, path);
    m_uDirSize = static_cast<uint32_t>(size);
    m_uThisDisk = static_cast<uint16_t>(m_pStore->GetCurrentDisk());

    char record[kEndRecordSize];
    Put32(record, kEndSignature);
    Put16(record + 4, m_uThisDisk);
    Put16(record + 6, m_uStartDiskOfDir);
    Put16(record + 8, m_uEntriesThisDisk);
    Put16(record + 10, m_uEntriesTotal);
    Put32(record + 12, m_uDirSize);
    Put32(record + 16, m_uDirOffset);
    Put16(record + 20, static_cast<uint16_t>(m_comment.Size()));
    m_pStore->Write(record, kEndRecordSize);
    if (m_comment.Size() > 0)
        m_pStore->Write(m_comment.Data(), static_cast<unsigned>(m_comment.Size()));
    m_bOnDisk = true;
}

void CZipDirectory::OpenEntry(size_t index)
{
    CZipEntryHeader* header = m_headers[index].get();
    m_pStore->Seek(m_uBytesBefore + header->m_uLocalOffset);
    header->CheckLocal(*m_pStore, m_localExtra);
    m_pOpenEntry = header;
}

void CZipDirectory::CloseEntryRead()
{
    if (m_pOpenEntry && m_pOpenEntry->HasDescriptor())
        m_pOpenEntry->CheckDescriptor(*m_pStore);
    m_pOpenEntry = nullptr;
}

void CZipDirectory::SaveTailFrom(uint64_t position)
{
    m_pStore->Flush();
    if (!m_bTailSaved) {
        const uint64_t length = m_pStore->GetLength();
        m_savedHeaders.clear();
        m_savedHeaders.reserve(m_headers.size());
        for (const auto& header : m_headers)
            m_savedHeaders.push_back(*header);
        m_savedTail.Allocate(static_cast<size_t>(length > position ? length - position : 0));
        m_pStore->Seek(position);
        m_pStore->Read(m_savedTail.Data(), static_cast<unsigned>(m_savedTail.Size()));
        m_uCutPosition = position;
        m_bTailSaved = true;
    } else if (position < m_uCutPosition) {
        CZipBuffer tail(static_cast<size_t>(m_uCutPosition - position) + m_savedTail.Size());
        m_pStore->Seek(position);
        m_pStore->Read(tail.Data(), static_cast<unsigned>(m_uCutPosition - position));
        if (m_savedTail.Size() > 0)
            std::memcpy(tail.Data() + (m_uCutPosition - position), m_savedTail.Data(), m_savedTail.Size());
        m_savedTail = std::move(tail);
        m_uCutPosition = position;
    }
}

void CZipDirectory::CutDirectoryFromFile()
{
    const uint64_t cut = m_uBytesBefore + m_uDirOffset;
    SaveTailFrom(cut);
    m_pStore->SetLength(cut);
    m_bOnDisk = false;
}

CZipEntryHeader* CZipDirectory::AddNewEntry(const CZipEntryHeader& header)
{
    const std::string path = m_pStore->GetFilePath();
    if (m_bOnDisk)
        CutDirectoryFromFile();
    else
        m_pStore->Flush();
    const uint64_t position = m_pStore->SeekToEnd();
    if (position - m_uBytesBefore > kMaxOffset)
        throw CZipException(ZipErrorFileTooLarge, path);

    m_headers.push_back(std::make_unique<CZipEntryHeader>(header));
    InvalidateIndex();
    CZipEntryHeader* entry = m_headers.back().get();
    m_pOpenEntry = entry;

    StoreName(*entry);
    entry->m_uStartDisk = static_cast<uint16_t>(m_pStore->GetCurrentDisk());
    entry->m_uLocalOffset = static_cast<uint32_t>(position);
    entry->WriteLocal(*m_pStore);
    entry->m_extra.Release();
    return entry;
}

void CZipDirectory::StoreName(CZipEntryHeader& header) const
{
    if (m_bConvertNames)
        header.ConvertNameToArchive();
    else
        header.KeepNameAsStored();
}

void CZipDirectory::CloseNewEntry()
{
    CZipEntryHeader* entry = m_pOpenEntry;
    if (!entry)
        return;
    char fields[16];
    Put32(fields, CZipEntryHeader::kDescriptorSignature);
    Put32(fields + 4, entry->m_uCrc);
    Put32(fields + 8, entry->m_uPackedSize);
    Put32(fields + 12, entry->m_uPlainSize);
    if (entry->HasDescriptor()) {
        m_pStore->Write(fields, 16);
    } else {
        m_pStore->Flush();
        m_pStore->Seek(uint64_t(entry->m_uLocalOffset) + 14);
        m_pStore->Write(fields + 4, 12);
        m_pStore->Flush();
    }
    entry->m_uLocalOffset = static_cast<uint32_t>(entry->m_uLocalOffset - m_uBytesBefore);
    m_pOpenEntry = nullptr;
}

void CZipDirectory::RemoveLastEntry()
{
    if (m_headers.empty())
        return;
    const CZipEntryHeader& last = *m_headers.back();
    const uint64_t start = m_uBytesBefore + last.m_uLocalOffset;
    if (m_bOnDisk) {
        SaveTailFrom(start);
        m_bOnDisk = false;
    } else if (m_bTailSaved) {
        SaveTailFrom(start);
    } else {
        m_pStore->Flush();
    }
    m_pStore->SetLength(start);
    m_headers.pop_back();
    InvalidateIndex();
}

void CZipDirectory::DropLastEntry()
{
    if (!m_headers.empty()) {
        if (m_pOpenEntry == m_headers.back().get())
            m_pOpenEntry = nullptr;
        m_headers.pop_back();
        InvalidateIndex();
    }
}

void CZipDirectory::RestoreAsRead()
{
    if (!m_bTailSaved)
        return;
    m_pOpenEntry = nullptr;
    m_pStore->DiscardBuffer();
    m_pStore->SetLength(m_uCutPosition);
    m_pStore->Seek(m_uCutPosition);
    m_pStore->Write(m_savedTail.Data(), static_cast<unsigned>(m_savedTail.Size()));
    m_pStore->Flush();
    m_headers.clear();
    for (const CZipEntryHeader& header : m_savedHeaders)
        m_headers.push_back(std::make_unique<CZipEntryHeader>(header));
    InvalidateIndex();
    m_savedHeaders.clear();
    m_savedTail.Release();
    m_bTailSaved = false;
    m_bOnDisk = true;
}

int CZipDirectory::FindEntry(const std::string& name, bool caseSensitive, bool nameOnly)
{
    const CompareFunction compare = caseSensitive ? CompareSensitive : m_pCompare;
    const int kind = (caseSensitive ? 1 : 0) | (nameOnly ? 2 : 0);
    auto found = m_indexes.find(kind);
    if (found == m_indexes.end()) {
        std::vector<std::pair<std::string, int>> index;
        index.reserve(m_headers.size());
        for (size_t i = 0; i < m_headers.size(); ++i) {
            std::string key = m_headers[i]->GetName();
            if (nameOnly) {
                CZipPathParts::RemoveTrailingSeparators(key);
                key = CZipPathParts(key).GetFileName();
            }
            index.emplace_back(std::move(key), int(i));
        }
        std::stable_sort(index.begin(), index.end(),
                         [compare](const auto& a, const auto& b) { return compare(a.first, b.first) < 0; });
        found = m_indexes.emplace(kind, std::move(index)).first;
    }
    const auto& index = found->second;
    auto it = std::lower_bound(
        index.begin(), index.end(), name,
        [compare](const auto& entry, const std::string& key) { return compare(entry.first, key) < 0; });
    if (it == index.end() || compare(it->first, name) != 0)
        return -1;
    return it->second;
}
