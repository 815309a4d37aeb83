// The CRC-32 of entry data, the same value as zlib's crc32, computed faster where the processor allows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zipcrc {

// Continues crc (0 to start) over count bytes; equal to zlib's crc32(crc, data, count) for every input.
uint32_t Update(uint32_t crc, const void* data, size_t count);

// The plain zlib computation, for comparison in tests and benchmarks.
uint32_t UpdatePortable(uint32_t crc, const void* data, size_t count);

// Whether Update uses the carry-less multiply instructions on this processor.
bool UsesCarrylessMultiply();

} // namespace zipcrc
