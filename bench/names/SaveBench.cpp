// 300 names saved one after another into one transfer archive, packages of a few KB as the service's
// sample packages are: the cost of a late save against an early one, and the whole run against the way
// every save copied the archive before adding to it. Usage: bench_names_save [saves] [folder].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "names/CTransferArchive.h"
#include "platform/fs/CFile.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/WinPath.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/CZipContainer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr unsigned kBuffer = 65536;
constexpr int kEnds = 5; // saves timed at each end of the run, their median taken

// A recording of a few KB that deflates about as little as speech does, and its marker file.
std::string NamePackage(int index)
{
    std::mt19937 random(static_cast<unsigned>(index) + 1);
    std::string wav(4096, '\0');
    for (char& c : wav)
        c = static_cast<char>(128 + static_cast<int>(random() % 64) - 32);
    char name[32];
    std::snprintf(name, sizeof name, "Name%03d", index);
    ZipBuilder b;
    b.entries = {Entry(std::string(name) + ".wav", wav), Entry(std::string(name) + "^.wav", name)};
    return b.Build();
}

// Yesterday's save: the archive copied to a temporary beside it, the package's files appended to the
// copy, the copy moved over the archive.
void CopyAppendMove(const std::string& archive, const std::string& package)
{
    CTempFile work;
    if (!work.Create(archive))
        throw CFileException::FromLastOsError(archive);
    {
        CFile source(archive, CFile::modeRead | CFile::shareDenyWrite);
        CFile target(work.GetPath(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
        target.Reserve(source.GetLength());
        std::vector<char> buffer(kBuffer);
        unsigned n;
        while ((n = source.Read(buffer.data(), kBuffer)) > 0)
            target.Write(buffer.data(), n);
        target.Close();
    }
    CZipContainer from;
    from.OpenArchive(package, CZipContainer::OpenReadOnly);
    CZipContainer copy;
    copy.OpenArchive(work.GetPath(), CZipContainer::OpenExisting);
    std::vector<char> buffer(kBuffer);
    for (int i = 0; i < from.EntryCount(); ++i) {
        CZipEntryHeader header;
        from.GetEntryInfo(i, header);
        CZipEntryHeader entry;
        entry.SetName(header.GetName());
        entry.m_uDosTime = header.m_uDosTime;
        entry.m_uDosDate = header.m_uDosDate;
        from.BeginEntryRead(i);
        copy.BeginEntryWrite(entry, header.m_uPlainSize < 5 ? 0 : -1);
        unsigned n;
        do {
            n = from.ReadEntryData(buffer.data(), kBuffer);
            copy.WriteEntryData(buffer.data(), n);
        } while (n == kBuffer);
        from.EndEntryRead();
        copy.EndEntryWrite();
    }
    copy.CloseArchive();
    from.CloseArchive();
    if (!work.MoveIntoPlace())
        throw CFileException::FromLastOsError(archive);
}

// Bytes this process has handed to write calls so far (Linux's count; 0 where there is none): what a
// save writes, whatever the device makes of it.
uint64_t BytesWritten()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (io >> key >> value)
        if (key == "wchar:")
            return value;
    return 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Run
{
    std::vector<double> seconds; // of each save after the first, which makes the archive
    double total = 0;
    uint64_t lastWritten = 0; // bytes the last save wrote
};

template <typename Save> Run SaveAll(const fs::path& folder, const std::vector<fs::path>& packages, Save save)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string archive = winpath::ToWindows(folder / "VMRNames.zip");
    // The first save moves its download into place, the same in both ways.
    fs::copy_file(packages.front(), folder / "VMRNames.zip");
    Run run;
    for (size_t i = 1; i < packages.size(); ++i) {
        const uint64_t written = BytesWritten();
        const auto start = Clock::now();
        save(archive, winpath::ToWindows(packages[i]));
        run.seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        run.lastWritten = BytesWritten() - written;
        run.total += run.seconds.back();
    }
    return run;
}

double EarlyMedian(const Run& run)
{
    return Median({run.seconds.begin(), run.seconds.begin() + kEnds});
}

double LateMedian(const Run& run)
{
    return Median({run.seconds.end() - kEnds, run.seconds.end()});
}

} // namespace

int main(int argc, char** argv)
{
    const int saves = argc > 1 ? std::atoi(argv[1]) : 300;
    const fs::path root = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "zentrimo-save-bench";
    if (saves < 2 * kEnds + 1) {
        std::fprintf(stderr, "bench_names_save: at least %d saves\n", 2 * kEnds + 1);
        return 2;
    }
    fs::remove_all(root);
    fs::create_directories(root / "packages");
    std::vector<fs::path> packages;
    for (int i = 0; i < saves; ++i) {
        packages.push_back(root / "packages" / ("Name" + std::to_string(i) + ".zip"));
        ziptest::WriteBytes(packages.back(), NamePackage(i));
    }

    const Run journal =
        SaveAll(root / "journal", packages, [](const std::string& archive, const std::string& package) {
            const std::string folder = archive.substr(0, archive.rfind('\\') + 1);
            CTransferArchive(folder).AddPackage(package);
        });
    const Run copying = SaveAll(root / "copying", packages, CopyAppendMove);
    const auto packageSize = fs::file_size(packages.front());
    const auto archiveSize = fs::file_size(root / "journal" / "VMRNames.zip");
    fs::remove_all(root);

    std::printf("%d saves of %ju-byte packages into one archive of %ju bytes at the end\n", saves,
                static_cast<uintmax_t>(packageSize), static_cast<uintmax_t>(archiveSize));
    std::printf("median of %d saves at each end, ms:   early   late   late/early (goal <= 2)\n", kEnds);
    std::printf("  in place under a journal        %7.3f %7.3f   %.2f\n", EarlyMedian(journal) * 1e3,
                LateMedian(journal) * 1e3, LateMedian(journal) / EarlyMedian(journal));
    std::printf("  copy, append, move (before)     %7.3f %7.3f   %.2f\n", EarlyMedian(copying) * 1e3,
                LateMedian(copying) * 1e3, LateMedian(copying) / EarlyMedian(copying));
    std::printf("total of the %d later saves: journal %.3f s, copy %.3f s; copy/journal %.2f\n", saves - 1,
                journal.total, copying.total, copying.total / journal.total);
    std::printf("bytes the last save wrote: journal %ju, copy %ju; copy/journal %.1f\n",
                static_cast<uintmax_t>(journal.lastWritten), static_cast<uintmax_t>(copying.lastWritten),
                journal.lastWritten ? double(copying.lastWritten) / double(journal.lastWritten) : 0.0);
    return 0;
}
