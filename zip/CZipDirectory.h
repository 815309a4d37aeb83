// The central directory: the entry list in file order, the end record, and their reading and writing.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "zip/CZipBuffer.h"
#include "zip/CZipEntryHeader.h"

class CZipBackingStore;

class CZipDirectory
{
public:
    static constexpr uint32_t kEndSignature = 0x06054B50;
    static constexpr unsigned kEndRecordSize = 22;
    static constexpr unsigned kSearchChunk = 32768;
    static constexpr unsigned kMaxEntries = 65535;

    using CompareFunction = int (*)(const std::string&, const std::string&);

    CZipDirectory() = default;
    virtual ~CZipDirectory();
    CZipDirectory(const CZipDirectory&) = delete;
    CZipDirectory& operator=(const CZipDirectory&) = delete;

    void Init(CZipBackingStore* store, CompareFunction compare);
    // Back to no entries, nothing on disk, offsets 0, no comment.
    void Clear();

    // Finds and reads the end record and every central header, sorted into file order.
    void ReadDirectory();
    // Writes every central header and the end record, unless what is on disk already matches.
    void WriteDirectory();
    // The file offset of the last end-record signature in the file's last 65557 bytes (else 116).
    uint64_t LocateEndRecord();

    // The file offset of the central directory as read: where the first entry added is written.
    uint64_t GetStartOffset() const { return m_uBytesBefore + m_uDirOffset; }
    size_t GetCount() const { return m_headers.size(); }
    CZipEntryHeader* GetEntry(size_t index) { return m_headers[index].get(); }
    const CZipEntryHeader* GetEntry(size_t index) const { return m_headers[index].get(); }
    CZipEntryHeader* GetOpenEntry() { return m_pOpenEntry; }
    void CloseOpenEntry() { m_pOpenEntry = nullptr; }
    const CZipBuffer& GetComment() const { return m_comment; }

    // Seeks to the entry's local header, checks it and leaves the store at the entry's data.
    void OpenEntry(size_t index);
    // After an entry was read to its end: checks its data descriptor when it has one.
    void CloseEntryRead();

    // Appends a copy of header as the open entry, removing the directory from the file first when
    // it is still there, writes its local header at the end of the file.
    CZipEntryHeader* AddNewEntry(const CZipEntryHeader& header);
    // Gives header the name it is stored under: converted from the memory name, or that name as it is
    // when the directory converts no names.
    void StoreName(CZipEntryHeader& header) const;
    // Patches CRC and sizes into the finished entry's local header (or writes its descriptor).
    void CloseNewEntry();
    // Removes the last entry and its data from the file (to replace it).
    void RemoveLastEntry();
    // Forgets the last entry without touching the file (an entry that failed while written).
    void DropLastEntry();

    // Index by name, or -1. A sorted index per comparison kind is built on first use.
    int FindEntry(const std::string& name, bool caseSensitive, bool nameOnly);

    // True when entries were added since the archive was read from disk.
    bool HasChangedSinceRead() const { return m_bTailSaved; }
    // Puts the archive back as it was read: old directory and end record, nothing appended, added
    // entries dropped. Waiting bytes of the store are discarded.
    void RestoreAsRead();

    bool m_bConvertNames = true;
    // Names without flag bit 11 from a DOS host are read in the OEM code page; writing never uses it.
    bool m_bOemConvert = true;
    bool m_bUseNameIndex = false;

private:
    void CutDirectoryFromFile();
    // Keeps the file's bytes from position on (and the entry list) for RestoreAsRead.
    void SaveTailFrom(uint64_t position);
    void InvalidateIndex() { m_indexes.clear(); }

    uint32_t m_uEndRecordSignature = kEndSignature;
    CZipBuffer m_comment;
    CZipBuffer m_localExtra;
    CZipEntryHeader* m_pOpenEntry = nullptr;
    CZipBackingStore* m_pStore = nullptr;
    unsigned m_uSearchChunk = kSearchChunk;
    std::vector<std::unique_ptr<CZipEntryHeader>> m_headers;
    CompareFunction m_pCompare = nullptr;
    std::map<int, std::vector<std::pair<std::string, int>>> m_indexes;
    uint64_t m_uEndOffset = 0;
    uint64_t m_uBytesBefore = 0;
    uint16_t m_uThisDisk = 0;
    uint16_t m_uStartDiskOfDir = 0;
    uint16_t m_uEntriesThisDisk = 0;
    uint16_t m_uEntriesTotal = 0;
    uint32_t m_uDirSize = 0;
    uint32_t m_uDirOffset = 0;
    bool m_bOnDisk = false;

    // What was cut from the file when the first entry was added to a read archive.
    bool m_bTailSaved = false;
    uint64_t m_uCutPosition = 0;
    size_t m_iEntriesAtRead = 0;
    CZipBuffer m_savedTail;
    std::vector<CZipEntryHeader> m_savedHeaders;
};
