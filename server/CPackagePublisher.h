// Builds name packages into the catalogue with the project's ZIP component.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "server/CCatalog.h"

class CPackagePublisher
{
public:
    struct Entry
    {
        std::string name; // name inside the package
        std::string data; // a complete .wav file
        std::time_t time = 0;
    };

    explicit CPackagePublisher(const CCatalog& catalog) : m_catalog(catalog) {}

    // The package of name from .wav files: the first becomes "<name>.wav", the second
    // "<name>^.wav" (a single file serves as both), further files keep their own file names.
    // Entry times are the files' modification times. Returns the package path.
    // Throws CPublishException, CZipException or CFileException; the catalogue is then unchanged.
    std::filesystem::path Publish(const std::string& name,
                                  const std::vector<std::filesystem::path>& files) const;

    // The same from entries in memory; they must include "<name>.wav" and "<name>^.wav".
    std::filesystem::path Publish(const std::string& name, const std::vector<Entry>& entries) const;

    // True for data that begins as a RIFF WAVE file does.
    static bool LooksLikeWave(const std::string& data);

private:
    const CCatalog& m_catalog;
};
