// A fresh temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "tests/support/UniqueTempDir.h"

class ScratchDir
{
public:
    explicit ScratchDir(const std::string& tag = "scratch")
        : m_path(std::filesystem::canonical(MakeUniqueTempDir(tag)))
    {
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        // Windows refuses to delete read-only files: make everything writable first.
        for (std::filesystem::recursive_directory_iterator it(m_path, ec), end; !ec && it != end;
             it.increment(ec)) {
            std::error_code ignored;
            if (!it->is_symlink(ignored))
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                             std::filesystem::perm_options::add, ignored);
        }
        ec.clear();
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};
