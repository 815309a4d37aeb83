// The open archive file with its 65536-byte write buffer; reads must deliver exactly what is asked.
#pragma once

#include <cstdint>
#include <string>

#include "zip/CZipBuffer.h"
#include "zip/CZipFile.h"

class CZipBackingStore
{
public:
    enum OpenMode { OpenExisting = 0, OpenReadOnly = 1, Create = 2, CreateMultiVolume = 3 };
    static constexpr unsigned kWriteBufferSize = 65536;

    CZipBackingStore() = default;
    virtual ~CZipBackingStore();
    CZipBackingStore(const CZipBackingStore&) = delete;
    CZipBackingStore& operator=(const CZipBackingStore&) = delete;

    // Opens the own archive file (always denying others write access). Multi-volume creation is
    // refused with 103. A failed open throws CFileException.
    void Open(const std::string& path, int mode, uint64_t volumeSize);
    // Works on a caller's file instead; it is neither flushed nor closed here.
    void Attach(CZipFileBase* file, int mode);
    // Settles the volume layout from the end record's disk number: 0 = single file, else 103.
    void SetDiskFromEndRecord(uint16_t diskNumber);

    // Exactly count bytes or CZipException 101 (count 0 reads nothing).
    void Read(void* buffer, unsigned count);
    void Write(const void* buffer, unsigned count);
    void Flush();
    // Position of the next byte to be written (file position plus waiting bytes).
    uint64_t GetPosition();
    uint64_t Seek(uint64_t position);
    uint64_t SeekToEnd();
    uint64_t GetLength();
    void SetLength(uint64_t length);
    // Drops the waiting bytes without writing them (used when an archive is put back as it was).
    void DiscardBuffer() { m_uWaiting = 0; }

    // Returns the file's path; unless afterError, writes the waiting bytes and, if anything was written or
    // cut since the open, forces the file to the device.
    std::string Close(bool afterError);

    bool IsOpen() const { return m_iVolume != -1; }
    bool IsReadOnly() const { return m_bReadOnly; }
    bool IsSingleFile() const { return m_iVolumeMode == 0; }
    int GetCurrentDisk() const { return m_iVolume; }
    std::string GetFilePath() const;

private:
    unsigned m_uBufferSize = kWriteBufferSize;
    CZipFile m_ownFile;
    CZipFileBase* m_pFile = nullptr;
    int m_iVolumeMode = 0;
    uint64_t m_uVolumeSize = 0;
    std::string m_strVolumeExtension = "zip";
    unsigned m_uWaiting = 0;
    CZipBuffer m_writeBuffer;
    uint64_t m_uVolumeWritten = 0;
    int m_iVolume = -1;
    bool m_bExternal = false;
    bool m_bReadOnly = false;
    // Something was written or cut since the open: only then is the file forced to the device at close.
    bool m_bChanged = false;
};
