// The search of a drive against `find DIR -name Velmora.exe` over the same generated tree.
// Usage: bench_locator [entries]  (default 200000). Prints both times and their ratio.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/locator/BenchTree.h"
#include "locator/VelmoraSearch.h"
#include "tests/support/ScratchPrefix.h"

namespace fs = std::filesystem;

namespace {

double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const long entries = argc > 1 ? std::atol(argv[1]) : 200000;
    ScratchPrefix prefix;
    std::printf("building a tree of %ld entries...\n", entries);
    fs::path executable;
    const long made = MakeSearchTree(prefix.DriveC(), entries, executable);
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
