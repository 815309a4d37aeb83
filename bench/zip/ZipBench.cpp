// Extraction and creation throughput of CZipContainer against unzip/zip, bsdtar and zlib's own raw speed.
// Usage: bench_zip [large-MB]  (default 200). Workloads: a 20 MB package of 16-bit PCM .wav files and
// a large mixed archive. Prints MB/s of uncompressed data and the ratios, all measured in this run.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <zlib.h>

#include "platform/fs/WinPath.h"
#include "tests/support/ScratchDir.h"
#include "zip/CZipContainer.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// CPU seconds (user + system) of this process and its finished children. On a shared machine the
// CPU time is the steadier measure; wall time is printed beside it.
double CpuSeconds()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        struct rusage u;
        getrusage(who, &u);
        total += double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
                 double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

struct Span
{
    double wall;
    double cpu;
};

struct Start
{
    Clock::time_point wall = Clock::now();
    double cpu = CpuSeconds();
};

Span Seconds(const Start& start)
{
    return {std::chrono::duration<double>(Clock::now() - start.wall).count(), CpuSeconds() - start.cpu};
}

std::string Quote(const fs::path& p)
{
    std::string quoted(1, '\'');
    quoted.append(p.string());
    quoted.push_back('\'');
    return quoted;
}

void Shell(const std::string& command)
{
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "bench_zip: failed: %s\n", command.c_str());
        std::exit(1);
    }
}

void Write(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A spoken-name-like 16-bit mono 22050 Hz clip: a few drifting harmonics with noise and pauses.
std::string Wav(size_t bytes, unsigned seed)
{
    const size_t samples = (bytes - 44) / 2;
    std::string data(samples * 2, '\0');
    uint32_t x = seed * 747796405u + 1;
    for (size_t i = 0; i < samples; ++i) {
        x = x * 1664525u + 1013904223u;
        const double t = double(i) / 22050.0;
        const double envelope = std::fabs(std::sin(t * 3.1 + seed)) > 0.3 ? 1.0 : 0.05;
        const double f = 140.0 + 30.0 * std::sin(t * 1.7 + seed);
        double v = envelope * (0.5 * std::sin(2 * M_PI * f * t) + 0.25 * std::sin(4 * M_PI * f * t) +
                               0.12 * std::sin(6 * M_PI * f * t));
        v += (double((x >> 16) & 0xFF) - 128.0) / 4096.0;
        const int16_t s = static_cast<int16_t>(v * 12000.0);
        data[2 * i] = static_cast<char>(s & 0xFF);
        data[2 * i + 1] = static_cast<char>((s >> 8) & 0xFF);
    }
    auto le = [](uint32_t v, int n) {
        std::string s;
        for (int k = 0; k < n; ++k)
            s += static_cast<char>((v >> (8 * k)) & 0xFF);
        return s;
    };
    std::string wav = "RIFF";
    for (const std::string& part :
         {le(uint32_t(36 + data.size()), 4), std::string("WAVEfmt "), le(16, 4), le(1, 2), le(1, 2),
          le(22050, 4), le(44100, 4), le(2, 2), le(16, 2), std::string("data"), le(uint32_t(data.size()), 4)})
        wav.append(part);
    wav.append(data);
    return wav;
}

// Text-like, highly compressible bytes.
std::string Text(size_t bytes, unsigned seed)
{
    static const char* words[] = {"name ",    "record ",  "speaker ", "voice ",
                                  "install ", "archive ", "\n",       "entry "};
    std::string s;
    s.reserve(bytes);
    uint32_t x = seed + 99;
    while (s.size() < bytes) {
        x = x * 1103515245u + 12345u;
        s += words[(x >> 16) % 8];
    }
    s.resize(bytes);
    return s;
}

std::string Noise(size_t bytes, unsigned seed)
{
    std::string s(bytes, '\0');
    uint32_t x = seed * 2654435761u + 7;
    for (char& c : s) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    return s;
}

struct Workload
{
    const char* title;
    std::vector<fs::path> files;
    uint64_t bytes = 0;
};

// zlib raw deflate of the same bytes in memory, 64 KiB in and out at a time: the creation limit.
Span ZlibDeflate(const Workload& w, std::vector<std::string>& packed)
{
    std::vector<std::string> sources;
    for (const fs::path& f : w.files)
        sources.push_back(Read(f));
    packed.clear();
    std::vector<unsigned char> out(65536);
    const Start start;
    for (const std::string& src : sources) {
        z_stream s{};
        deflateInit2(&s, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        std::string result;
        size_t offset = 0;
        int flush = Z_NO_FLUSH;
        do {
            const size_t chunk = std::min<size_t>(65536, src.size() - offset);
            s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(src.data() + offset));
            s.avail_in = static_cast<uInt>(chunk);
            offset += chunk;
            flush = offset == src.size() ? Z_FINISH : Z_NO_FLUSH;
            do {
                s.next_out = out.data();
                s.avail_out = static_cast<uInt>(out.size());
                deflate(&s, flush);
                result.append(reinterpret_cast<char*>(out.data()), out.size() - s.avail_out);
            } while (s.avail_out == 0);
        } while (flush != Z_FINISH);
        deflateEnd(&s);
        packed.push_back(std::move(result));
    }
    return Seconds(start);
}

// zlib raw inflate of those streams in memory, 64 KiB in and out at a time, with CRC: the limit.
Span ZlibInflate(const std::vector<std::string>& packed)
{
    std::vector<unsigned char> out(65536);
    uLong crc = 0;
    const Start start;
    for (const std::string& src : packed) {
        z_stream s{};
        inflateInit2(&s, -MAX_WBITS);
        size_t offset = 0;
        int result = Z_OK;
        while (result != Z_STREAM_END && offset < src.size()) {
            const size_t chunk = std::min<size_t>(65536, src.size() - offset);
            s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(src.data() + offset));
            s.avail_in = static_cast<uInt>(chunk);
            offset += chunk;
            do {
                s.next_out = out.data();
                s.avail_out = static_cast<uInt>(out.size());
                result = inflate(&s, Z_SYNC_FLUSH);
                crc = crc32(crc, out.data(), uInt(out.size() - s.avail_out));
            } while (s.avail_out == 0 && result == Z_OK);
        }
        inflateEnd(&s);
    }
    const Span t = Seconds(start);
    if (crc == 1)
        std::printf(" ");
    return t;
}

Span OursCreate(const Workload& w, const fs::path& archive)
{
    fs::remove(archive);
    const Start start;
    CZipContainer zip;
    zip.OpenArchive(winpath::ToWindows(archive), CZipContainer::Create);
    for (const fs::path& f : w.files)
        zip.AddFileFromDisk(winpath::ToWindows(f), -1, false, 7, 65536);
    zip.CloseArchive();
    return Seconds(start);
}

Span OursExtract(const fs::path& archive, const fs::path& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
    const Start start;
    CZipContainer zip;
    zip.OpenArchive(winpath::ToWindows(archive), CZipContainer::OpenExisting, 0);
    for (int i = 0; i < zip.EntryCount(); ++i)
        zip.ExtractEntry(i, winpath::ToWindows(folder), true, std::string(), 65536);
    zip.CloseArchive();
    return Seconds(start);
}

Span BsdtarExtract(const fs::path& archive, const fs::path& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
    const Start start;
    Shell("bsdtar -x -f " + Quote(archive) + " -C " + Quote(folder));
    return Seconds(start);
}

Span ZipCreate(const Workload& w, const fs::path& archive)
{
    fs::remove(archive);
    std::string command = "zip -q -j ";
    command.append(Quote(archive));
    for (const fs::path& f : w.files) {
        command.push_back(' ');
        command.append(Quote(f));
    }
    const Start start;
    Shell(command);
    return Seconds(start);
}

Span UnzipExtract(const fs::path& archive, const fs::path& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
    const Start start;
    Shell("unzip -o -q " + Quote(archive) + " -d " + Quote(folder));
    return Seconds(start);
}

void KeepBest(Span& best, const Span& t)
{
    best.wall = std::min(best.wall, t.wall);
    best.cpu = std::min(best.cpu, t.cpu);
}

template <typename F> Span Best(int runs, F&& f)
{
    Span best{1e30, 1e30};
    for (int i = 0; i < runs; ++i)
        KeepBest(best, f());
    return best;
}

void Measure(const Workload& w, const fs::path& work, int createRuns, int extractRuns)
{
    const double mb = double(w.bytes) / 1e6;
    std::vector<std::string> packed;
    const Span zDeflate = Best(createRuns, [&] { return ZlibDeflate(w, packed); });
    const Span oursCreate = Best(createRuns, [&] { return OursCreate(w, work / "ours.zip"); });
    const Span zipCreate = Best(createRuns, [&] { return ZipCreate(w, work / "iz.zip"); });
    // Extraction and its limit take turns, so that a change in the shared machine's load falls on
    // all of them alike. All extract the archive Info-ZIP made: the same compressed bytes.
    Span zInflate{1e30, 1e30}, oursExtract{1e30, 1e30}, unzipExtract{1e30, 1e30}, bsdtarExtract{1e30, 1e30};
    for (int i = 0; i < extractRuns; ++i) {
        KeepBest(zInflate, ZlibInflate(packed));
        KeepBest(oursExtract, OursExtract(work / "iz.zip", work / "out-ours"));
        KeepBest(unzipExtract, UnzipExtract(work / "iz.zip", work / "out-unzip"));
        KeepBest(bsdtarExtract, BsdtarExtract(work / "iz.zip", work / "out-bsdtar"));
    }
    for (const char* out : {"out-ours", "out-unzip", "out-bsdtar"})
        fs::remove_all(work / out);

    std::printf("\n%s: %.1f MB in %zu files (MB/s of uncompressed data; wall time, then CPU time)\n", w.title,
                mb, w.files.size());
    auto row = [&](const char* what, Span ours, const char* peerName, Span peer, Span limit) {
        std::printf("  %-8s CZipContainer %6.1f / %6.1f   %-12s %6.1f / %6.1f   zlib %6.1f / %6.1f\n", what,
                    mb / ours.wall, mb / ours.cpu, peerName, mb / peer.wall, mb / peer.cpu, mb / limit.wall,
                    mb / limit.cpu);
        std::printf("  %-8s ratio to %s %.2f / %.2f   ratio to zlib %.2f / %.2f\n", "", peerName,
                    peer.wall / ours.wall, peer.cpu / ours.cpu, limit.wall / ours.wall, limit.cpu / ours.cpu);
    };
    row("extract", oursExtract, "unzip -o -q", unzipExtract, zInflate);
    row("extract", oursExtract, "bsdtar -x", bsdtarExtract, zInflate);
    row("create", oursCreate, "zip -q", zipCreate, zDeflate);
}

} // namespace

int main(int argc, char** argv)
{
    const long largeMB = argc > 1 ? std::atol(argv[1]) : 200;
    ScratchDir dir("benchzip");

    Workload package{"wav package", {}, 0};
    fs::create_directories(dir / "package");
    for (unsigned i = 0; i < 8; ++i) {
        const fs::path f = dir / "package" / ("Name" + std::to_string(i) + ".wav");
        Write(f, Wav(2500000, i));
        package.files.push_back(f);
        package.bytes += fs::file_size(f);
    }
    Measure(package, dir.Path(), 3, 5);

    Workload large{"large mixed archive", {}, 0};
    fs::create_directories(dir / "large");
    const size_t part = size_t(largeMB) * 1000000 / 10;
    for (unsigned i = 0; i < 10; ++i) {
        const fs::path f = dir / "large" / ("part" + std::to_string(i) + ".bin");
        Write(f, i % 5 < 3 ? Wav(part, 100 + i) : i % 5 == 3 ? Text(part, i) : Noise(part, i));
        large.files.push_back(f);
        large.bytes += fs::file_size(f);
    }
    Measure(large, dir.Path(), 1, 3);
    return 0;
}
