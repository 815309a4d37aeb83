// A throw-away Wine-style prefix for one test: sets WINEPREFIX while alive, removes it after.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/ScratchDir.h"

class ScratchPrefix
{
public:
    ScratchPrefix() : m_dir("prefix")
    {
        const char* old = std::getenv("WINEPREFIX");
        m_hadOld = old != nullptr;
        if (old)
            m_old = old;
        std::filesystem::create_directories(DriveC());
        std::filesystem::create_directories(Root() / "dosdevices");
        setenv("WINEPREFIX", Root().c_str(), 1);
    }
    ~ScratchPrefix()
    {
        if (m_hadOld)
            setenv("WINEPREFIX", m_old.c_str(), 1);
        else
            unsetenv("WINEPREFIX");
    }
    ScratchPrefix(const ScratchPrefix&) = delete;
    ScratchPrefix& operator=(const ScratchPrefix&) = delete;

    const std::filesystem::path& Root() const { return m_dir.Path(); }
    std::filesystem::path DriveC() const { return Root() / "drive_c"; }

    // Makes a folder for drive letter and links dosdevices/<letter>: to it, as winecfg does.
    std::filesystem::path MapDrive(char letter, const std::string& folder)
    {
        const std::filesystem::path target = Root() / folder;
        std::filesystem::create_directories(target);
        std::filesystem::create_directory_symlink(target,
                                                  Root() / "dosdevices" / (std::string(1, letter) + ":"));
        return target;
    }

private:
    ScratchDir m_dir;
    bool m_hadOld = false;
    std::string m_old;
};
