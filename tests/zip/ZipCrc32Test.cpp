// The fast CRC-32 gives zlib's value for every length, alignment, starting value and split of the data.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <zlib.h>

#include "zip/ZipCrc32.h"

namespace {

std::vector<unsigned char> Noise(size_t size, uint32_t seed)
{
    std::vector<unsigned char> bytes(size);
    for (unsigned char& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<unsigned char>(seed >> 24);
    }
    return bytes;
}

uint32_t Zlib(uint32_t crc, const unsigned char* data, size_t count)
{
    return static_cast<uint32_t>(crc32_z(crc, data, count));
}

} // namespace

// Every length around the fold sizes (16, 64) and every misalignment, so each tail path is walked.
TEST(ZipCrc32, EqualsZlibForEveryLengthAlignmentAndStartingValue)
{
    const std::vector<unsigned char> data = Noise(700, 5);
    for (uint32_t start : {0u, 0xFFFFFFFFu, 0x1234ABCDu})
        for (size_t offset = 0; offset < 16; ++offset)
            for (size_t length = 0; length + offset <= 600; ++length)
                ASSERT_EQ(zipcrc::Update(start, data.data() + offset, length),
                          Zlib(start, data.data() + offset, length))
                    << "start " << start << " offset " << offset << " length " << length;
}

TEST(ZipCrc32, SpecialBytePatternsMatchZlib)
{
    for (unsigned char fill : {0x00, 0xFF, 0x80, 0x01}) {
        const std::vector<unsigned char> data(4096 + 13, fill);
        EXPECT_EQ(zipcrc::Update(0, data.data(), data.size()), Zlib(0, data.data(), data.size()))
            << "fill " << int(fill);
    }
    // The check value of the CRC-32 used by ZIP.
    const std::string digits = "123456789";
    EXPECT_EQ(zipcrc::Update(0, digits.data(), digits.size()), 0xCBF43926u);
}

// Extraction feeds the CRC in pieces of whatever size inflate produced.
TEST(ZipCrc32, ContinuesAcrossUnevenPiecesOfALargeBlock)
{
    const std::vector<unsigned char> data = Noise(3 << 20, 9);
    const uint32_t whole = Zlib(0, data.data(), data.size());
    EXPECT_EQ(zipcrc::Update(0, data.data(), data.size()), whole);
    uint32_t crc = 0;
    size_t done = 0;
    for (size_t piece = 1; done < data.size(); piece = piece * 7 % 70001 + 1) {
        const size_t count = std::min(piece, data.size() - done);
        crc = zipcrc::Update(crc, data.data() + done, count);
        done += count;
    }
    EXPECT_EQ(crc, whole);
    EXPECT_EQ(zipcrc::UpdatePortable(0, data.data(), data.size()), whole);
}

TEST(ZipCrc32, ASingleFlippedBitChangesTheValue)
{
    std::vector<unsigned char> data = Noise(65536, 3);
    const uint32_t before = zipcrc::Update(0, data.data(), data.size());
    for (size_t at : {size_t(0), size_t(17), size_t(40000), data.size() - 1}) {
        data[at] ^= 0x10;
        EXPECT_NE(zipcrc::Update(0, data.data(), data.size()), before) << "at " << at;
        data[at] ^= 0x10;
    }
}
