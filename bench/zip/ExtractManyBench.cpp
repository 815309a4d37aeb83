// Extracting many small stored entries into one folder: zentrimo-zip against bsdtar, and how our time
// grows from 750 to 3000 entries (a cost per file that grows with the folder shows as a ratio above 4).
// Usage: bench_extract_many [runs]  (default 3; the best run of each counts).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "tests/support/ScratchDir.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// CPU seconds (user + system) of the finished children: both extractors run as child processes.
double ChildCpuSeconds()
{
    struct rusage u;
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Span
{
    double wall = 1e30;
    double cpu = 1e30;
};

std::string Quote(const fs::path& p)
{
    return "'" + p.string() + "'";
}

void Shell(const std::string& command)
{
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "bench_extract_many: failed: %s\n", command.c_str());
        std::exit(1);
    }
}

// A stored archive of count entries of 100 to 1100 bytes, as a transfer archive of names is, written
// by Python's zipfile so that neither extractor wrote it.
void MakeArchive(const fs::path& archive, int count)
{
    Shell("python3 -c 'import sys, zipfile\n"
          "with zipfile.ZipFile(sys.argv[1], \"w\", zipfile.ZIP_STORED) as z:\n"
          "    for i in range(int(sys.argv[2])):\n"
          "        z.writestr(\"Name%d.wav\" % i, bytes((i + k) % 251 for k in range(100 + i % 1000)))\n' " +
          Quote(archive) + " " + std::to_string(count));
}

// Runs command into an empty folder and keeps the best wall and CPU time seen.
void Time(const std::string& command, const fs::path& folder, Span& best)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
    const Clock::time_point wall = Clock::now();
    const double cpu = ChildCpuSeconds();
    Shell(command);
    best.wall = std::min(best.wall, std::chrono::duration<double>(Clock::now() - wall).count());
    best.cpu = std::min(best.cpu, ChildCpuSeconds() - cpu);
    fs::remove_all(folder);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    ScratchDir dir("benchextract");
    const int counts[] = {750, 3000};
    Span ours[2], bsdtar[2];
    for (int k = 0; k < 2; ++k)
        MakeArchive(dir / ("many" + std::to_string(counts[k]) + ".zip"), counts[k]);
    // The two extractors take turns, so that a change in the shared machine's load falls on both.
    for (int run = 0; run < runs; ++run)
        for (int k = 0; k < 2; ++k) {
            const fs::path archive = dir / ("many" + std::to_string(counts[k]) + ".zip");
            Time(std::string(ZENTRIMO_ZIP_TOOL) + " extract " + Quote(archive) + " " + Quote(dir / "ours"),
                 dir / "ours", ours[k]);
            Time("bsdtar -x -f " + Quote(archive) + " -C " + Quote(dir / "bsdtar"), dir / "bsdtar",
                 bsdtar[k]);
        }

    std::printf("\nextracting small stored entries into one folder (seconds: wall, then CPU)\n");
    for (int k = 0; k < 2; ++k)
        std::printf("  %5d entries   zentrimo-zip %6.3f / %6.3f   bsdtar %6.3f / %6.3f\n", counts[k],
                    ours[k].wall, ours[k].cpu, bsdtar[k].wall, bsdtar[k].cpu);
    std::printf("  zentrimo-zip over bsdtar, 3000 entries: %.2f / %.2f   (goal: at most 1.5)\n",
                ours[1].wall / bsdtar[1].wall, ours[1].cpu / bsdtar[1].cpu);
    std::printf("  zentrimo-zip, 3000 over 750 entries:    %.2f / %.2f   (goal: at most 4.5; linear is 4)\n",
                ours[1].wall / ours[0].wall, ours[1].cpu / ours[0].cpu);
    // Creating a file costs the file system more as the folder grows; bsdtar shows by how much.
    std::printf("  bsdtar, 3000 over 750 entries:          %.2f / %.2f   (the file system's own growth)\n",
                bsdtar[1].wall / bsdtar[0].wall, bsdtar[1].cpu / bsdtar[0].cpu);
    return 0;
}
