// The search of a drive against `find DIR -name Velmora.exe` over the same generated tree.
// Usage: bench_locator [entries]  (default 200000). Prints both times and their ratio.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "locator/VelmoraSearch.h"
#include "tests/support/ScratchPrefix.h"

namespace fs = std::filesystem;

namespace {

double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Folders three deep, 40 x 25 of them, the rest files; Velmora lies in the last folder created.
long MakeTree(const fs::path& root, long entries, fs::path& executable)
{
    long made = 0;
    const long folders = 40 * 25;
    const long filesPerFolder = (entries - 40 - folders) / folders;
    fs::path last;
    for (int a = 0; a < 40; ++a) {
        const fs::path top = root / ("Top" + std::to_string(a));
        fs::create_directory(top);
        ++made;
        for (int b = 0; b < 25; ++b) {
            last = top / ("Sub" + std::to_string(b));
            fs::create_directory(last);
            ++made;
            for (long f = 0; f < filesPerFolder; ++f, ++made)
                std::ofstream(last / ("file" + std::to_string(f) + ".dat"));
        }
    }
    executable = last / "Velmora.exe";
    std::ofstream(executable) << "MZ";
    return made + 1;
}

} // namespace

int main(int argc, char** argv)
{
    const long entries = argc > 1 ? std::atol(argv[1]) : 200000;
    ScratchPrefix prefix;
    std::printf("building a tree of %ld entries...\n", entries);
    fs::path executable;
    const long made = MakeTree(prefix.DriveC(), entries, executable);
    const std::string command = "find '" + prefix.DriveC().string() + "' -name Velmora.exe > /dev/null";

    // One warm-up of each, so both read the tree from the cache.
    if (std::system(command.c_str()) != 0)
        return 1;
    velmora::SearchFolder("C:");

    // With the executable the search stops at its hit, wherever the listing order puts it; without
    // it both walk the whole tree.
    for (const bool present : {true, false}) {
        if (!present)
            fs::remove(executable);
        double findBest = 1e9, searchBest = 1e9;
        std::string found;
        for (int round = 0; round < 3; ++round) {
            auto start = std::chrono::steady_clock::now();
            if (std::system(command.c_str()) != 0)
                return 1;
            findBest = std::min(findBest, Seconds(start));
            start = std::chrono::steady_clock::now();
            found = velmora::SearchFolder("C:");
            searchBest = std::min(searchBest, Seconds(start));
        }
        if (found.empty() == present)
            return 1;
        std::printf("%s: %ld entries, found \"%s\"\n", present ? "with Velmora" : "without Velmora", made,
                    found.c_str());
        std::printf("  find -name: %.3f s, SearchForVelmora: %.3f s, ratio search/find: %.2f\n", findBest,
                    searchBest, searchBest / findBest);
    }
    return 0;
}
