// File-system operations over POSIX, with the attribute mapping of a Wine-style drive.
#include "platform/fs/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/fs/detail/FsBackend.h"

namespace {

constexpr const char* kDosAttributeName = "user.DOSATTRIB";
constexpr uint32_t kStoredBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::string Host(const std::string& path)
{
    return winpath::ToHost(path).string();
}

uint32_t StoredDosBits(const std::string& host)
{
    char text[32] = {};
    const ssize_t n = ::getxattr(host.c_str(), kDosAttributeName, text, sizeof(text) - 1);
    if (n <= 0)
        return 0;
    return static_cast<uint32_t>(std::strtoul(text, nullptr, 0)) & kStoredBits;
}

} // namespace

uint32_t GetFileAttributes(const std::string& path)
{
    const std::string host = Host(path);
    struct stat st;
    if (host.empty() || ::stat(host.c_str(), &st) != 0)
        return INVALID_FILE_ATTRIBUTES;
    uint32_t attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        attributes |= FILE_ATTRIBUTE_READONLY;
    const std::string name = std::filesystem::path(host).filename().string();
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    attributes |= StoredDosBits(host);
    return attributes;
}

bool SetFileAttributes(const std::string& path, uint32_t attributes)
{
    const std::string host = Host(path);
    struct stat st;
    if (host.empty() || ::stat(host.c_str(), &st) != 0)
        return false;
    mode_t mode = st.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        mode &= ~static_cast<mode_t>(0222);
    } else if (!(mode & S_IWUSR)) {
        // Writable again: the owner always, group and others where they may read.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode |= (0600 | ((mode & 044) >> 1)) & ~mask;
    }
    if (mode != (st.st_mode & 07777) && ::chmod(host.c_str(), mode) != 0)
        return false;
    const uint32_t stored = attributes & kStoredBits;
    if (stored) {
        char text[16];
        const int n = std::snprintf(text, sizeof(text), "0x%x", static_cast<unsigned>(stored));
        ::setxattr(host.c_str(), kDosAttributeName, text, static_cast<size_t>(n), 0); // where supported
    } else {
        ::removexattr(host.c_str(), kDosAttributeName);
    }
    return true;
}

bool GetFileModificationTime(const std::string& path, std::time_t& modified)
{
    const std::string host = Host(path);
    struct stat st;
    if (host.empty() || ::stat(host.c_str(), &st) != 0)
        return false;
    modified = st.st_mtime;
    return true;
}

bool SetFileTimes(const std::string& path, std::time_t modified)
{
    const std::string host = Host(path);
    if (host.empty())
        return false;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_NOW;
    if (modified == static_cast<std::time_t>(-1)) {
        times[1].tv_sec = 0;
        times[1].tv_nsec = UTIME_NOW;
    } else {
        times[1].tv_sec = modified;
        times[1].tv_nsec = 0;
    }
    return ::utimensat(AT_FDCWD, host.c_str(), times, 0) == 0;
}

bool FileExists(const std::string& path)
{
    const std::string host = Host(path);
    struct stat st;
    return !host.empty() && ::stat(host.c_str(), &st) == 0;
}

bool FolderExists(const std::string& path)
{
    const std::string host = Host(path);
    struct stat st;
    return !host.empty() && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectory(const std::string& path)
{
    const std::string host = Host(path);
    return !host.empty() && ::mkdir(host.c_str(), 0777) == 0;
}

bool RemoveDirectory(const std::string& path)
{
    const std::string host = Host(path);
    return !host.empty() && ::rmdir(host.c_str()) == 0;
}

bool DeleteFile(const std::string& path)
{
    const std::string host = Host(path);
    struct stat st;
    if (host.empty() || ::lstat(host.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return ::unlink(host.c_str()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to, bool failIfExists)
{
    const std::string source = Host(from);
    const std::string target = Host(to);
    if (source.empty() || target.empty())
        return false;
    std::error_code ec;
    const auto options = failIfExists ? std::filesystem::copy_options::none
                                      : std::filesystem::copy_options::overwrite_existing;
    if (!std::filesystem::is_regular_file(source, ec))
        return false;
    if (!failIfExists && std::filesystem::exists(target, ec)) {
        // Overwriting a read-only target is refused, as on Windows.
        if (GetFileAttributes(to) & FILE_ATTRIBUTE_READONLY)
            return false;
    }
    if (!std::filesystem::copy_file(source, target, options, ec) || ec)
        return false;
    std::time_t modified;
    if (GetFileModificationTime(from, modified))
        SetFileTimes(to, modified);
    return true;
}

bool MoveFileReplacing(const std::string& from, const std::string& to)
{
    const std::string source = Host(from);
    const std::string target = Host(to);
    struct stat st;
    if (source.empty() || target.empty()) {
        errno = ENOENT;
        return false;
    }
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    return ::rename(source.c_str(), target.c_str()) == 0;
}

std::string GetTempFolder()
{
    std::error_code ec;
    const std::filesystem::path host = std::filesystem::temp_directory_path(ec);
    std::string folder = winpath::ToWindows(ec ? std::filesystem::path("/tmp") : host);
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    const std::string first = Host(a);
    const std::string second = Host(b);
    std::error_code ec;
    return !first.empty() && !second.empty() && std::filesystem::equivalent(first, second, ec) && !ec;
}

namespace {

std::filesystem::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

// XDG_DOCUMENTS_DIR from the user's user-dirs.dirs ("$HOME/Documents" or an absolute path), or "".
std::filesystem::path XdgDocumentsFolder(const std::filesystem::path& home)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::filesystem::path folder = config && *config ? std::filesystem::path(config) : home / ".config";
    std::ifstream in(folder / "user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, key.size(), key) != 0 || line.back() != '"')
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.compare(0, 5, "$HOME") == 0)
            return home.string() + value.substr(5);
        return value.empty() || value[0] != '/' ? std::filesystem::path() : std::filesystem::path(value);
    }
    return {};
}

} // namespace

std::string GetDocumentsFolder()
{
    const std::filesystem::path home = HomeFolder();
    if (home.empty())
        return std::string();
    const std::filesystem::path documents = XdgDocumentsFolder(home);
    std::error_code ec;
    std::string folder = winpath::ToWindows(
        !documents.empty() && std::filesystem::is_directory(documents, ec) ? documents : home);
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool IsSystemFolder(const std::string& folder)
{
    const std::string host = Host(folder) + "/";
    for (const char* system : {"/usr/", "/opt/", "/bin/", "/sbin/", "/lib/", "/lib64/", "/etc/"})
        if (host.compare(0, std::strlen(system), system) == 0)
            return true;
    return false;
}
