// Temporary files beside their targets on POSIX: created exclusively, held by an advisory lock.
#include "platform/fs/CTempFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/fs/detail/FsBackend.h"

namespace {

constexpr const char* kMarker = ".~";
constexpr size_t kUniqueLength = 6; // the XXXXXX of mkostemp
constexpr int kAttempts = 16;

// The hidden name's stem: short enough that a target name near the length limit still leaves room.
std::string Stem(const std::string& fileName)
{
    return "." + fileName.substr(0, 40) + kMarker;
}

bool SameInode(int fd, const std::string& path)
{
    struct stat byHandle;
    struct stat byName;
    return ::fstat(fd, &byHandle) == 0 && ::lstat(path.c_str(), &byName) == 0 &&
           byHandle.st_dev == byName.st_dev && byHandle.st_ino == byName.st_ino;
}

// Renames from to to unless something is at to, in one step; a file system that cannot tell the rename
// so (an older FAT driver) gets a second link and the first name's removal, which never replace either.
bool MoveToFreeName(const std::string& from, const std::string& to)
{
    const std::filesystem::path source = winpath::ToHost(from);
    const std::filesystem::path target = winpath::ToHost(to);
    if (source.empty() || target.empty()) {
        errno = ENOENT;
        return false;
    }
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(source.c_str(), target.c_str()) != 0)
        return false;
    ::unlink(source.c_str());
    return true;
}

} // namespace

bool CTempFile::Create(const std::string& target)
{
    Remove();
    const std::filesystem::path host = winpath::ToHost(target);
    if (host.empty() || host.filename().empty()) {
        errno = ENOENT;
        return false;
    }
    const std::string base = (host.parent_path() / Stem(host.filename().string())).string();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string pattern = base + std::string(kUniqueLength, 'X');
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0)
            return false;
        // Between creating and locking, a clean-up of another instance may take the file for a stale
        // one; it can only have done so when its lock came first or the name is gone: try a new name.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !SameInode(fd, pattern)) {
            ::close(fd);
            continue;
        }
        // The file becomes the target: give it the mode a newly created file would have.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        m_hLock = fd;
        m_strPath = winpath::ToWindows(pattern);
        m_strTarget = target;
        return true;
    }
    errno = EEXIST;
    return false;
}

bool CTempFile::Move(bool replace)
{
    if (m_strPath.empty()) {
        errno = ENOENT;
        return false;
    }
    if (replace ? !MoveFileReplacing(m_strPath, m_strTarget) : !MoveToFreeName(m_strPath, m_strTarget))
        return false;
    Release();
    return true;
}

bool KeepAside(const std::string& path, std::string& kept)
{
    const std::filesystem::path host = winpath::ToHost(path);
    if (host.empty() || host.filename().empty()) {
        errno = ENOENT;
        return false;
    }
    struct stat st;
    if (::lstat(host.c_str(), &st) != 0)
        return false;
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    const std::string base = (host.parent_path() / Stem(host.filename().string())).string();
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string candidate = base;
        for (size_t i = 0; i < kUniqueLength; ++i)
            candidate += kLetters[random() % (sizeof kLetters - 1)];
        // A second link leaves the file in its place until the move in replaces it in one step; a
        // file system without links (a FAT stick) has the file itself moved aside, never over another.
        if (::link(host.c_str(), candidate.c_str()) == 0 ||
            ((errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK) &&
             ::renameat2(AT_FDCWD, host.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0)) {
            kept = winpath::ToWindows(candidate);
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

void CTempFile::ReleaseLock()
{
    if (m_hLock >= 0)
        ::close(m_hLock);
    m_hLock = -1;
}

void CTempFile::Release()
{
    ReleaseLock();
    m_strPath.clear();
}

int RemoveStaleTempFiles(const std::vector<std::string>& targets,
                         const std::function<bool(const std::string& path)>& settle)
{
    // Folder -> the stems of the targets in it.
    std::map<std::filesystem::path, std::set<std::string>> stems;
    for (const std::string& target : targets) {
        const std::filesystem::path host = winpath::ToHost(target);
        if (!host.empty() && !host.filename().empty())
            stems[host.parent_path()].insert(Stem(host.filename().string()));
    }
    int removed = 0;
    for (const auto& [folder, folderStems] : stems) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.size() < kUniqueLength + 3 ||
                name.compare(name.size() - kUniqueLength - 2, 2, kMarker) != 0 ||
                !folderStems.count(name.substr(0, name.size() - kUniqueLength)))
                continue;
            const std::string path = it->path().string();
            const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                continue;
            struct stat st;
            // Held by a live instance when the lock cannot be had; the name is checked again under the
            // lock in case it was replaced meanwhile.
            if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                SameInode(fd, path) && settle(winpath::ToWindows(it->path())) && ::unlink(path.c_str()) == 0)
                ++removed;
            ::close(fd);
        }
    }
    return removed;
}
