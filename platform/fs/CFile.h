// A file opened by Windows-form path, read and written unbuffered through its handle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/WinDefs.h"
#include "platform/fs/CFileException.h"

// Failures of Read, Write, Seek, SetLength and Flush throw CFileException naming the file; Open
// reports by value (and fills the caller's exception object), the throwing constructor throws.
// On Linux share flags are accepted and kept: POSIX has no mandatory sharing, so they restrict nobody;
// on Windows the system enforces them.
class CFile
{
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : unsigned { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const std::string& path, unsigned flags); // throws CFileException
    virtual ~CFile();                               // closes, ignoring errors
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    bool Open(const std::string& path, unsigned flags, CFileException* error = nullptr);
    void Close();
    void Abort(); // close without reporting errors

    // Reads up to count bytes; fewer only at the end of the file.
    unsigned Read(void* buffer, unsigned count);
    // Writes all count bytes or throws (diskFull when the device is full).
    void Write(const void* buffer, unsigned count);
    uint64_t Seek(int64_t offset, unsigned from);
    void SeekToBegin() { Seek(0, begin); }
    uint64_t SeekToEnd() { return Seek(0, end); }
    uint64_t GetPosition() const;
    uint64_t GetLength() const;
    void SetLength(uint64_t length);
    // Sets aside room on the device for the file to grow to length, leaving its length as it is, so
    // that the writes which follow find their space laid out in one piece. Only a hint: where the
    // device cannot, or has no room, nothing happens and the writes report what they meet.
    void Reserve(uint64_t length);
    // Pushes the written data to the device.
    void Flush();
    // Takes the file for this open object alone among the objects that hold it, in this process or any
    // other, until it closes; a killed process lets go. Reads and writes through other objects stay free:
    // it orders those who change the file in turns, as the share flags do on Windows only while open.
    // False at once when another object holds it.
    bool Hold();

    bool IsOpen() const { return m_impl != nullptr; }
    unsigned GetOpenFlags() const { return m_flags; }
    // The full Windows-form path of the open file (empty when none was opened).
    std::string GetFilePath() const { return m_strFilePath; }
    std::string GetFileName() const;

private:
    // The open file as the system holds it (each backend defines it); there only while the file is open.
    struct Impl;
    struct ImplDelete
    {
        void operator()(Impl* impl) const;
    };

    [[noreturn]] void ThrowOsError(long error) const;

    unsigned m_flags = 0;
    std::string m_strFilePath;
    std::unique_ptr<Impl, ImplDelete> m_impl;
};
