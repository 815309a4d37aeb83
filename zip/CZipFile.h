// The archive file: the platform's CFile behind the component's file interface.
#pragma once

#include "platform/fs/CFile.h"
#include "zip/CZipFileBase.h"

class CZipFile : public CZipFileBase, public CFile
{
public:
    CZipFile() = default;
    ~CZipFile() override;

    bool Open(const std::string& path, unsigned flags, bool throwOnFailure) override;
    void Close() override;
    void Flush() override { CFile::Flush(); }
    uint64_t GetPosition() const override { return CFile::GetPosition(); }
    uint64_t Seek(int64_t offset, unsigned from) override { return CFile::Seek(offset, from); }
    uint64_t GetLength() const override { return CFile::GetLength(); }
    void SetLength(uint64_t length) override { CFile::SetLength(length); }
    // The full path of the file, or the name given at open when there is none.
    std::string GetFilePath() const override;
    unsigned Read(void* buffer, unsigned count) override { return CFile::Read(buffer, count); }
    void Write(const void* buffer, unsigned count) override { CFile::Write(buffer, count); }
    bool IsClosed() const override { return !CFile::IsOpen(); }

    // Closes without reporting errors (after an error).
    void Abort() { CFile::Abort(); }

private:
    std::string m_strOpenedName;
};
