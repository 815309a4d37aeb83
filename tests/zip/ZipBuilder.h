// Builds ZIP archives byte by byte for tests, with every field open to tampering.
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

struct RawEntry
{
    std::string name;
    std::string data;    // uncompressed
    uint16_t method = 8; // 0 stored, 8 deflated, anything else written as is (data stored raw)
    uint16_t flags = 0;
    uint16_t madeBy = 20; // high byte: host system
    uint32_t external = 0x20;
    uint16_t dosTime = 0x6000; // 12:00:00
    uint16_t dosDate = 0x5A21; // 2025-01-01
    bool descriptor = false;   // flag bit 3: zeros in the local header, descriptor after the data
    bool descriptorSignature = true;
    std::string extra;
    std::string comment;
    // Tampering after the fact.
    int64_t crcDelta = 0;       // added to the CRC in both headers
    std::string packedOverride; // replaces the compressed bytes when set
    bool packedOverrideSet = false;
};

// An entry with the given name, contents and method, everything else as above.
inline RawEntry Entry(const std::string& name, const std::string& data, uint16_t method = 8)
{
    RawEntry e;
    e.name = name;
    e.data = data;
    e.method = method;
    return e;
}

class ZipBuilder
{
public:
    std::string prefix;  // bytes in front of the archive (a stub)
    std::string comment; // archive comment
    std::vector<RawEntry> entries;
    std::vector<size_t> centralOrder; // order of the central headers (default: entry order)
    int64_t totalEntriesDelta = 0;    // tampering with the end record
    bool zeroDirectorySize = false;

    static std::string Deflate(const std::string& data, int level = 6)
    {
        z_stream s{};
        deflateInit2(&s, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        std::string out(deflateBound(&s, data.size()) + 16, '\0');
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        s.avail_in = static_cast<uInt>(data.size());
        s.next_out = reinterpret_cast<Bytef*>(out.data());
        s.avail_out = static_cast<uInt>(out.size());
        deflate(&s, Z_FINISH);
        out.resize(s.total_out);
        deflateEnd(&s);
        return out;
    }

    static void Put16(std::string& s, uint32_t v)
    {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
    }
    static void Put32(std::string& s, uint32_t v)
    {
        Put16(s, v & 0xFFFF);
        Put16(s, v >> 16);
    }

    std::string Build() const
    {
        std::string zip = prefix;
        std::vector<std::string> centrals;
        for (const RawEntry& e : entries) {
            const std::string packed =
                e.packedOverrideSet ? e.packedOverride : (e.method == 8 ? Deflate(e.data) : e.data);
            const uint32_t crc = static_cast<uint32_t>(
                crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), uInt(e.data.size())) + e.crcDelta);
            const uint16_t flags = static_cast<uint16_t>(e.flags | (e.descriptor ? 8 : 0));
            const uint32_t offset = static_cast<uint32_t>(zip.size() - prefix.size());
            zip += "PK\x03\x04";
            Put16(zip, 20);
            Put16(zip, flags);
            Put16(zip, e.method);
            Put16(zip, e.dosTime);
            Put16(zip, e.dosDate);
            Put32(zip, e.descriptor ? 0 : crc);
            Put32(zip, e.descriptor ? 0 : uint32_t(packed.size()));
            Put32(zip, e.descriptor ? 0 : uint32_t(e.data.size()));
            Put16(zip, uint32_t(e.name.size()));
            Put16(zip, uint32_t(e.extra.size()));
            zip += e.name + e.extra + packed;
            if (e.descriptor) {
                if (e.descriptorSignature)
                    zip += "PK\x07\x08";
                Put32(zip, crc);
                Put32(zip, uint32_t(packed.size()));
                Put32(zip, uint32_t(e.data.size()));
            }
            std::string c = "PK\x01\x02";
            Put16(c, e.madeBy);
            Put16(c, 20);
            Put16(c, flags);
            Put16(c, e.method);
            Put16(c, e.dosTime);
            Put16(c, e.dosDate);
            Put32(c, crc);
            Put32(c, uint32_t(packed.size()));
            Put32(c, uint32_t(e.data.size()));
            Put16(c, uint32_t(e.name.size()));
            Put16(c, uint32_t(e.extra.size()));
            Put16(c, uint32_t(e.comment.size()));
            Put16(c, 0);
            Put16(c, 0);
            Put32(c, e.external);
            Put32(c, offset);
            c += e.name + e.extra + e.comment;
            centrals.push_back(c);
        }
        const uint32_t dirOffset = static_cast<uint32_t>(zip.size() - prefix.size());
        std::string dir;
        if (centralOrder.empty())
            for (const std::string& c : centrals)
                dir += c;
        else
            for (size_t i : centralOrder)
                dir += centrals[i];
        zip += dir;
        zip += "PK\x05\x06";
        Put16(zip, 0);
        Put16(zip, 0);
        const uint32_t count = static_cast<uint32_t>(int64_t(entries.size()) + totalEntriesDelta);
        Put16(zip, count);
        Put16(zip, count);
        Put32(zip, zeroDirectorySize ? 0 : uint32_t(dir.size()));
        Put32(zip, dirOffset);
        Put16(zip, uint32_t(comment.size()));
        zip += comment;
        return zip;
    }
};
