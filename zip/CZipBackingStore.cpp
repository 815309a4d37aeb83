// CZipBackingStore: buffered writing and exact reading of the archive file.
#include "zip/CZipBackingStore.h"

#include <cstring>

#include "platform/fs/CFile.h"
#include "zip/CZipException.h"

namespace {
constexpr int kUndecidedVolumes = -1;
}

CZipBackingStore::~CZipBackingStore() = default;

void CZipBackingStore::Open(const std::string& path, int mode, uint64_t volumeSize)
{
    if (mode == CreateMultiVolume)
        throw CZipException(ZipErrorNoCallback, path);
    m_writeBuffer.Allocate(m_uBufferSize);
    m_uWaiting = 0;
    m_bExternal = false;
    m_bChanged = false;
    m_pFile = &m_ownFile;
    m_uVolumeSize = volumeSize;
    m_bReadOnly = mode == OpenReadOnly;
    unsigned flags = CFile::shareDenyWrite | CFile::typeBinary;
    if (mode == Create)
        flags |= CFile::modeCreate | CFile::modeReadWrite;
    else
        flags |= m_bReadOnly ? CFile::modeRead : CFile::modeReadWrite;
    m_pFile->Open(path, flags, true);
    m_iVolumeMode = mode == Create ? 0 : kUndecidedVolumes;
    m_iVolume = 0;
}

void CZipBackingStore::Attach(CZipFileBase* file, int mode)
{
    if (mode == CreateMultiVolume)
        throw CZipException(ZipErrorNoCallback, file ? file->GetFilePath() : std::string());
    m_writeBuffer.Allocate(m_uBufferSize);
    m_uWaiting = 0;
    m_bExternal = true;
    m_pFile = file;
    m_bReadOnly = mode == OpenReadOnly;
    if (mode == Create) {
        m_pFile->SetLength(0);
        m_iVolumeMode = 0;
    } else {
        m_iVolumeMode = kUndecidedVolumes;
    }
    m_pFile->SeekToBegin();
    m_iVolume = 0;
}

void CZipBackingStore::SetDiskFromEndRecord(uint16_t diskNumber)
{
    if (diskNumber != 0)
        throw CZipException(ZipErrorNoCallback, GetFilePath());
    m_iVolumeMode = 0;
}

void CZipBackingStore::Read(void* buffer, unsigned count)
{
    if (count == 0)
        return;
    if (m_pFile->Read(buffer, count) != count)
        throw CZipException(ZipErrorBadZipFile, GetFilePath());
}

void CZipBackingStore::Write(const void* buffer, unsigned count)
{
    const auto* in = static_cast<const char*>(buffer);
    m_bChanged = m_bChanged || count > 0;
    // Large blocks go straight to the file once the buffer is empty: same bytes, one copy fewer.
    while (count > 0) {
        if (m_uWaiting == 0 && count >= m_uBufferSize) {
            m_pFile->Write(in, count);
            return;
        }
        const unsigned room = m_uBufferSize - m_uWaiting;
        const unsigned part = count < room ? count : room;
        std::memcpy(m_writeBuffer.Data() + m_uWaiting, in, part);
        m_uWaiting += part;
        in += part;
        count -= part;
        if (m_uWaiting == m_uBufferSize)
            Flush();
    }
}

void CZipBackingStore::Flush()
{
    if (m_uWaiting == 0)
        return;
    const unsigned count = m_uWaiting;
    m_uWaiting = 0;
    m_pFile->Write(m_writeBuffer.Data(), count);
    m_uVolumeWritten += count;
}

uint64_t CZipBackingStore::GetPosition()
{
    return m_pFile->GetPosition() + m_uWaiting;
}

uint64_t CZipBackingStore::Seek(uint64_t position)
{
    Flush();
    return m_pFile->Seek(static_cast<int64_t>(position), CFile::begin);
}

uint64_t CZipBackingStore::SeekToEnd()
{
    Flush();
    return m_pFile->SeekToEnd();
}

uint64_t CZipBackingStore::GetLength()
{
    Flush();
    return m_pFile->GetLength();
}

void CZipBackingStore::SetLength(uint64_t length)
{
    Flush();
    m_bChanged = true;
    m_pFile->SetLength(length);
}

std::string CZipBackingStore::GetFilePath() const
{
    return m_pFile ? m_pFile->GetFilePath() : std::string();
}

std::string CZipBackingStore::Close(bool afterError)
{
    std::string path;
    if (m_pFile) {
        if (afterError)
            m_uWaiting = 0;
        else
            Flush();
        path = m_pFile->GetFilePath();
        if (!m_bExternal) {
            if (afterError) {
                m_ownFile.Abort();
            } else {
                if (m_bChanged)
                    m_pFile->Flush();
                m_pFile->Close();
            }
        }
    }
    m_writeBuffer.Release();
    m_uWaiting = 0;
    m_bChanged = false;
    m_iVolume = -1;
    m_iVolumeMode = 0;
    m_pFile = nullptr;
    return path;
}
