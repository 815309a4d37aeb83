// CZipBuffer's block management.
#include "zip/CZipBuffer.h"

#include <cstring>
#include <utility>

CZipBuffer::CZipBuffer(size_t size, bool zeroFill)
{
    Allocate(size, zeroFill);
}

CZipBuffer::CZipBuffer(const CZipBuffer& other)
{
    Assign(other.m_pData, other.m_uSize);
}

CZipBuffer& CZipBuffer::operator=(const CZipBuffer& other)
{
    if (this != &other)
        Assign(other.m_pData, other.m_uSize);
    return *this;
}

CZipBuffer::CZipBuffer(CZipBuffer&& other) noexcept
    : m_pData(std::exchange(other.m_pData, nullptr)), m_uSize(std::exchange(other.m_uSize, 0))
{
}

CZipBuffer& CZipBuffer::operator=(CZipBuffer&& other) noexcept
{
    if (this != &other) {
        Release();
        m_pData = std::exchange(other.m_pData, nullptr);
        m_uSize = std::exchange(other.m_uSize, 0);
    }
    return *this;
}

CZipBuffer::~CZipBuffer()
{
    Release();
}

void CZipBuffer::Allocate(size_t size, bool zeroFill)
{
    if (size != m_uSize) {
        Release();
        if (size > 0) {
            m_pData = new char[size];
            m_uSize = size;
        }
    }
    if (zeroFill && m_pData)
        std::memset(m_pData, 0, m_uSize);
}

void CZipBuffer::Release()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_uSize = 0;
}

void CZipBuffer::Assign(const void* data, size_t size)
{
    Allocate(size);
    if (size > 0)
        std::memcpy(m_pData, data, size);
}
