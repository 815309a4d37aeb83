// The catalogue folder: one ZIP package per recorded name, "<display name>.zip".
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class CCatalog
{
public:
    using NameList = std::vector<std::string>;

    explicit CCatalog(std::filesystem::path folder);

    const std::filesystem::path& Folder() const { return m_folder; }

    // The published names in catalogue order (byte order). The list is read again only when the
    // folder has changed since, so a package published while the service runs shows up at once.
    // A missing folder gives an empty list. Safe to call from several threads.
    std::shared_ptr<const NameList> Names() const;

    // Where the package of a name is (or would be) kept.
    std::filesystem::path PackagePath(std::string_view name) const;

    // The package of a valid name when it exists, otherwise an empty path.
    std::filesystem::path FindPackage(std::string_view name) const;

    // A name must be usable as a file name on the client (it becomes N.wav and N^.wav there) and
    // travel unchanged through the reply text: UTF-8, at most 200 bytes, no control characters,
    // none of < > : " / \ | ? *, not a device name, no leading "." or blank, no trailing "." or
    // blank, and no ampersand that the client would decode into an angle bracket. why, when given,
    // receives the reason for a refusal.
    static bool IsValidName(std::string_view name, std::string* why = nullptr);

private:
    std::filesystem::path m_folder;
    mutable std::mutex m_mutex;
    mutable std::shared_ptr<const NameList> m_names;
    mutable std::filesystem::file_time_type m_stamp;
    mutable bool m_stampSettled = false;
};
