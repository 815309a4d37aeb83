// An owned byte block and its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CZipBuffer
{
public:
    CZipBuffer() = default;
    explicit CZipBuffer(size_t size, bool zeroFill = false);
    CZipBuffer(const CZipBuffer& other);
    CZipBuffer& operator=(const CZipBuffer& other);
    CZipBuffer(CZipBuffer&& other) noexcept;
    CZipBuffer& operator=(CZipBuffer&& other) noexcept;
    virtual ~CZipBuffer();

    // A different size takes a new block (none for 0); the same size keeps the block. Either way
    // the block is zero-filled only when asked.
    void Allocate(size_t size, bool zeroFill = false);
    void Release();

    char* Data() { return m_pData; }
    const char* Data() const { return m_pData; }
    size_t Size() const { return m_uSize; }

    void Assign(const void* data, size_t size);
    void Assign(const std::string& text) { Assign(text.data(), text.size()); }
    std::string ToString() const { return std::string(m_pData ? m_pData : "", m_uSize); }

private:
    char* m_pData = nullptr;
    size_t m_uSize = 0;
};
