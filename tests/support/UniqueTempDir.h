// A new, empty folder with a unique name in the system's temporary folder (mkdtemp has no Windows form).
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

inline std::filesystem::path MakeUniqueTempDir(const std::string& tag)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'x');
        for (char& c : suffix)
            c = kLetters[random() % (sizeof kLetters - 1)];
        const std::filesystem::path candidate = base / ("zentrimo-" + tag + "-" + suffix);
        std::error_code ec;
        // create_directory is false for an existing folder: the name was taken, try another.
        if (std::filesystem::create_directory(candidate, ec))
            return candidate;
        if (ec)
            break;
    }
    throw std::runtime_error("cannot create a temporary folder for " + tag + " in " + base.string());
}
