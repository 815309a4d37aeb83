// CZipContainer: the open entry's data written into a file, the inner loop of extraction.
#include "zip/CZipContainer.h"

#include "platform/fs/CFile.h"

namespace {

// Deflate cannot expand data more than 1032 times; an entry that claims more is damaged, and the
// room reserved for it would only be taken from the user's disk for nothing.
constexpr uint64_t kMaxInflateRatio = 1032;

} // namespace

void CZipContainer::WriteEntryDataTo(CFile& out, unsigned bufferSize)
{
    const uint64_t plain = m_info.m_uLeftPlain;
    const uint64_t packed = m_info.m_uLeftPacked;
    const uint64_t possible = m_info.m_bStreamActive ? packed * kMaxInflateRatio : packed;
    if (plain <= possible && packed <= m_store.GetLength())
        out.Reserve(plain);

    CZipBuffer buffer(bufferSize);
    unsigned n;
    do {
        n = ReadEntryData(buffer.Data(), bufferSize);
        if (n > 0)
            out.Write(buffer.Data(), n);
    } while (n == bufferSize);
}
