// The search of a folder against a bare FindFirstFileEx walk of the same generated tree (Windows build).
// Usage: bench_locator [entries]  (default 30000). Prints both times and their ratio (goal: at most 1.2).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench/locator/BenchTree.h"
#include "locator/VelmoraSearch.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ScratchDir.h"

namespace {

double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The least a search can do: the same listing calls, depth first, each folder before its own name,
// no links to check and nothing kept of an entry but what the walk needs.
std::string BareWalk(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileExA((folder + "\\*.*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return {};
    std::string found;
    do {
        const bool dots = std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !dots)
            found = BareWalk(folder + "\\" + data.cFileName);
        if (found.empty() && std::strcmp(data.cFileName, "Velmora.exe") == 0)
            found = folder;
    } while (found.empty() && FindNextFileA(find, &data));
    FindClose(find);
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    const long entries = argc > 1 ? std::atol(argv[1]) : 30000;
    ScratchDir scratch("searchbench");
    const std::string root = winpath::ToWindows(scratch.Path());
    std::printf("building a tree of %ld entries in %s...\n", entries, root.c_str());
    std::filesystem::path executable;
    const long made = MakeSearchTree(scratch.Path(), entries, executable);

    // One warm-up of each, so both read the tree from the cache.
    BareWalk(root);
    velmora::SearchFolder(root);

    // With the executable both stop at its hit; without it both walk the whole tree. The two take turns,
    // each going first in every other round, so that a busy moment of the machine falls on both alike;
    // the best round counts.
    for (const bool present : {true, false}) {
        if (!present)
            std::filesystem::remove(executable);
        double bareBest = 1e9, searchBest = 1e9;
        std::string bareFound, found;
        for (int round = 0; round < 10; ++round) {
            for (int turn = 0; turn < 2; ++turn) {
                const auto start = std::chrono::steady_clock::now();
                if ((round + turn) % 2 == 0) {
                    bareFound = BareWalk(root);
                    bareBest = std::min(bareBest, Seconds(start));
                } else {
                    found = velmora::SearchFolder(root);
                    searchBest = std::min(searchBest, Seconds(start));
                }
            }
        }
        if (found != bareFound || found.empty() == present)
            return 1;
        std::printf("%s: %ld entries, found \"%s\"\n", present ? "with Velmora" : "without Velmora", made,
                    found.c_str());
        std::printf("  FindFirstFileEx walk: %.3f s, SearchForVelmora: %.3f s, ratio search/walk: %.2f\n",
                    bareBest, searchBest, searchBest / bareBest);
    }
    return 0;
}
