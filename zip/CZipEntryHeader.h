// One entry of an archive: the fields of its central header, its name, extra field and comment.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "zip/CZipBuffer.h"

class CZipBackingStore;

// The compression methods the component reads and writes; any other is refused.
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

class CZipEntryHeader
{
public:
    static constexpr uint32_t kCentralSignature = 0x02014B50;
    static constexpr uint32_t kLocalSignature = 0x04034B50;
    static constexpr uint32_t kDescriptorSignature = 0x08074B50;
    static constexpr unsigned kCentralSize = 46;
    static constexpr unsigned kLocalSize = 30;
    static constexpr uint16_t kFlagEncrypted = 0x0001;
    static constexpr uint16_t kFlagDescriptor = 0x0008;
    static constexpr uint16_t kFlagUtf8Name = 0x0800;
    static constexpr uint32_t kFolderDefault = 0x41FF0010;
    static constexpr uint32_t kFileDefault = 0x81A40020;

    CZipEntryHeader() = default;
    virtual ~CZipEntryHeader();
    CZipEntryHeader(const CZipEntryHeader&) = default;
    CZipEntryHeader& operator=(const CZipEntryHeader&) = default;

    // Memory-form name ('\' separators, ANSI code page); see m_storedName for the archive's form.
    std::string GetName() const { return m_name.ToString(); }
    void SetName(const std::string& name) { m_name.Assign(name); }
    std::string GetComment() const { return m_comment.ToString(); }

    int GetHostSystem() const { return m_uMadeBy >> 8; }
    void SetHostSystem(int system);
    // Attributes in the program's form (folder default, converted, or file default).
    uint32_t GetAttributes() const;
    // Stores the program-form attributes for the entry's system code.
    void StoreAttributes(uint32_t attributes);
    bool IsFolder() const { return (GetAttributes() & 0x10) != 0; }
    bool IsEncrypted() const { return (m_uFlags & kFlagEncrypted) != 0; }
    bool HasDescriptor() const { return (m_uFlags & kFlagDescriptor) != 0; }

    std::time_t GetTime() const;
    void SetTime(std::time_t time);

    // Reads one central header from the size bytes at data, the directory as read from the file; gives
    // the bytes it took. 101 (naming path) on a bad signature or a header running past them.
    size_t ReadCentral(const char* data, size_t size, const std::string& path);
    // Writes the central header with the stored name; returns the bytes written.
    unsigned WriteCentral(CZipBackingStore& store) const;
    // Writes the local header of a new entry with the stored name.
    void WriteLocal(CZipBackingStore& store) const;
    // Checks the local header at the store's position against the central one (101 on a mismatch) and
    // reads its extra field into localExtra. May adopt the local flags (see the definition).
    void CheckLocal(CZipBackingStore& store, CZipBuffer& localExtra);
    // Compares a data descriptor at the store's position with CRC and sizes (101 on a mismatch).
    void CheckDescriptor(CZipBackingStore& store) const;

    // The stored name from the memory one, for an entry about to be written: '\' -> '/', and a name
    // outside ASCII in UTF-8 with flag bit 11, so that it means the same on every system and locale. A
    // name that is not valid in the ANSI charset is stored as it is, without the flag.
    void ConvertNameToArchive();
    // The memory name from the stored one, which stays as it was read ('/' -> '\'): with flag bit 11
    // UTF-8 (CP437 on every system when it is not valid UTF-8); without, when the system code is 0 and
    // oemConvert is set, the OEM code page; otherwise as it is.
    void ConvertNameFromArchive(bool oemConvert);
    // Both forms alike, for a directory that converts no names.
    void KeepNameAsStored() { m_storedName = m_name; }

    uint32_t m_uSignature = 0;
    uint16_t m_uMadeBy = 0;
    uint16_t m_uNeeded = 0;
    uint16_t m_uFlags = 0;
    uint16_t m_uMethod = kMethodDeflated;
    uint16_t m_uDosTime = 0;
    uint16_t m_uDosDate = 0;
    uint32_t m_uCrc = 0;
    uint32_t m_uPackedSize = 0;
    uint32_t m_uPlainSize = 0;
    uint16_t m_uStartDisk = 0;
    uint16_t m_uInternal = 0;
    uint32_t m_uExternal = 0;
    uint32_t m_uLocalOffset = 0;
    CZipBuffer m_extra;
    CZipBuffer m_name;
    CZipBuffer m_comment;
    // The name as it stands in the archive, which both headers write. An entry read from an archive keeps
    // it from the reading, so that a directory written again says what its local header says.
    CZipBuffer m_storedName;
};
