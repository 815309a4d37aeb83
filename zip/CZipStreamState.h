// The state of the entry being read or written: zlib stream, byte counts, CRC and the I/O buffer.
#pragma once

#include <cstdint>
#include <zlib.h>

#include "zip/CZipBuffer.h"

struct CZipStreamState
{
    static constexpr unsigned ENTRY_BUFFER_SIZE = 65536;

    z_stream m_stream{};
    // Reading: uncompressed bytes still to deliver. Writing: bytes taken in so far.
    uint64_t m_uLeftPlain = 0;
    // Reading: compressed bytes not yet read. Writing: compressed bytes written so far.
    uint64_t m_uLeftPacked = 0;
    uint32_t m_uCrc = 0;
    unsigned m_uBufferSize = ENTRY_BUFFER_SIZE;
    CZipBuffer m_buffer;
    // Reading: the one dummy input byte after the data was offered; the stream reached its end.
    bool m_bDummyOffered = false;
    bool m_bStreamEnded = false;
    // Writing: the zlib stream is initialised.
    bool m_bStreamActive = false;
};
