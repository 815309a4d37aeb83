// The tree both search benchmarks walk: folders three deep, 40 x 25 of them, the rest files.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// Makes about entries entries below root and returns how many it made; executable becomes the path of
// the one Velmora.exe, in the last folder made (the last one a walk in name order reaches).
inline long MakeSearchTree(const std::filesystem::path& root, long entries, std::filesystem::path& executable)
{
    long made = 0;
    const long folders = 40 * 25;
    const long filesPerFolder = (entries - 40 - folders) / folders;
    std::filesystem::path last;
    for (int a = 0; a < 40; ++a) {
        const std::filesystem::path top = root / ("Top" + std::to_string(a));
        std::filesystem::create_directory(top);
        ++made;
        for (int b = 0; b < 25; ++b) {
            last = top / ("Sub" + std::to_string(b));
            std::filesystem::create_directory(last);
            ++made;
            for (long f = 0; f < filesPerFolder; ++f, ++made)
                std::ofstream(last / ("file" + std::to_string(f) + ".dat"));
        }
    }
    executable = last / "Velmora.exe";
    std::ofstream(executable) << "MZ";
    return made + 1;
}
