// The file interface the backing store works through: the own archive file or a caller's object.
#pragma once

#include <cstdint>
#include <string>

class CZipFileBase
{
public:
    virtual ~CZipFileBase() = default;

    // Opens path with CFile flags; with throwOnFailure a failure throws CFileException, else
    // gives false. This base version does nothing and reports success.
    virtual bool Open(const std::string& path, unsigned flags, bool throwOnFailure);
    virtual void Close() = 0;
    virtual void Flush() = 0;
    virtual uint64_t GetPosition() const = 0;
    virtual uint64_t Seek(int64_t offset, unsigned from) = 0;
    virtual uint64_t GetLength() const = 0;
    virtual void SetLength(uint64_t length) = 0;
    virtual uint64_t SeekToBegin() { return Seek(0, 0); }
    virtual uint64_t SeekToEnd() { return Seek(0, 2); }
    virtual std::string GetFilePath() const = 0;
    virtual unsigned Read(void* buffer, unsigned count) = 0;
    virtual void Write(const void* buffer, unsigned count) = 0;
    virtual bool IsClosed() const = 0;
};
