// Case-insensitive lookup of folder entries through listings kept current by inotify.
#include "platform/fs/linux/FolderNames.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace winpath {
namespace {

using Stat = struct stat;
using StatFs = struct statfs;

constexpr size_t kFoldersKept = 8;
constexpr uint32_t kWatched =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_ONLYDIR;

std::atomic<uint64_t> listingsRead{0};

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Folded(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        c = Lower(c);
    return folded;
}

// Local file systems, where every change passes through this kernel and so reaches inotify.
bool ChangesAreAllSeen(int folderFd)
{
    StatFs info{};
    if (fstatfs(folderFd, &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case EXT4_SUPER_MAGIC: // also ext2 and ext3
    case TMPFS_MAGIC:
    case RAMFS_MAGIC:
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case F2FS_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
    case 0x2FC12FC1: // zfs
        return true;
    default:
        return false;
    }
}

// Names by their folded form; variants that differ only in case keep the order they were met in.
using Names = std::unordered_map<std::string, std::vector<std::string>>;

void Add(Names& names, const std::string& name)
{
    std::vector<std::string>& variants = names[Folded(name)];
    if (std::find(variants.begin(), variants.end(), name) == variants.end())
        variants.push_back(name);
}

void Remove(Names& names, const std::string& name)
{
    const auto it = names.find(Folded(name));
    if (it == names.end())
        return;
    std::erase(it->second, name);
    if (it->second.empty())
        names.erase(it);
}

std::optional<std::string> Find(const Names& names, const std::string& name)
{
    const auto it = names.find(Folded(name));
    if (it == names.end())
        return std::nullopt;
    return it->second.front();
}

// Reads the entries of an open folder; takes the descriptor.
std::optional<Names> ReadNames(int folderFd)
{
    DIR* dir = fdopendir(folderFd);
    if (!dir) {
        close(folderFd);
        return std::nullopt;
    }
    ++listingsRead;
    Names names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            Add(names, name);
    }
    closedir(dir);
    return names;
}

// Answers from a listing read for this question only; takes the descriptor.
std::optional<std::string> FindOnce(int folderFd, const std::string& name)
{
    std::optional<Names> names = ReadNames(folderFd);
    return names ? Find(*names, name) : std::nullopt;
}

struct Folder
{
    dev_t device;
    ino_t inode;
    int watch;
    uint64_t lastUse;
    Names names;
};

class FolderIndex
{
public:
    std::optional<std::string> Lookup(const std::filesystem::path& folder, const std::string& name)
    {
        const std::lock_guard lock(m_mutex);
        if (!Ready())
            return ReadOnce(folder, name);
        ApplyEvents();
        Stat identity{};
        if (stat(folder.c_str(), &identity) != 0 || !S_ISDIR(identity.st_mode))
            return std::nullopt;
        if (Folder* known = Known(identity.st_dev, identity.st_ino))
            return Find(known->names, name);

        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        Stat opened{};
        if (fstat(fd, &opened) != 0 || !ChangesAreAllSeen(fd)) {
            return FindOnce(fd, name);
        }
        if (Folder* known = Known(opened.st_dev, opened.st_ino)) {
            close(fd);
            return Find(known->names, name);
        }
        // Watched before it is read, so that a change made while it is read is reported afterwards.
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        const int watch = inotify_add_watch(m_inotify, self.c_str(), kWatched);
        if (watch < 0) {
            return FindOnce(fd, name);
        }
        std::optional<Names> names = ReadNames(fd);
        if (!names) {
            inotify_rm_watch(m_inotify, watch);
            return std::nullopt;
        }
        if (m_folders.size() == kFoldersKept)
            Forget(*std::min_element(m_folders.begin(), m_folders.end(),
                                     [](const Folder& a, const Folder& b) { return a.lastUse < b.lastUse; }));
        m_folders.push_back(Folder{opened.st_dev, opened.st_ino, watch, ++m_clock, std::move(*names)});
        return Find(m_folders.back().names, name);
    }

private:
    // An inotify instance of this process (a forked child shares its parent's queue, so it opens its own).
    bool Ready()
    {
        const pid_t pid = getpid();
        if (m_inotify >= 0 && pid == m_pid)
            return true;
        if (m_inotify >= 0)
            close(m_inotify);
        m_folders.clear();
        m_pid = pid;
        m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        return m_inotify >= 0;
    }

    std::optional<std::string> ReadOnce(const std::filesystem::path& folder, const std::string& name)
    {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        return FindOnce(fd, name);
    }

    Folder* Known(dev_t device, ino_t inode)
    {
        for (Folder& folder : m_folders)
            if (folder.device == device && folder.inode == inode) {
                folder.lastUse = ++m_clock;
                return &folder;
            }
        return nullptr;
    }

    Folder* Watched(int watch)
    {
        for (Folder& folder : m_folders)
            if (folder.watch == watch)
                return &folder;
        return nullptr;
    }

    void Forget(const Folder& gone)
    {
        const int watch = gone.watch;
        inotify_rm_watch(m_inotify, watch);
        std::erase_if(m_folders, [&](const Folder& f) { return f.watch == watch; });
    }

    void ApplyEvents()
    {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t got = read(m_inotify, buffer, sizeof buffer);
            if (got <= 0) {
                if (got < 0 && errno == EINTR)
                    continue;
                return; // EAGAIN: nothing more has happened
            }
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                Apply(*event);
            }
        }
    }

    void Apply(const inotify_event& event)
    {
        if (event.mask & IN_Q_OVERFLOW) {
            // Changes were lost: no listing can be trusted.
            while (!m_folders.empty())
                Forget(m_folders.back());
            return;
        }
        Folder* folder = Watched(event.wd);
        if (!folder)
            return;
        if (event.mask & (IN_DELETE_SELF | IN_IGNORED | IN_UNMOUNT)) {
            Forget(*folder);
            return;
        }
        if (event.len == 0)
            return;
        const std::string name = event.name; // NUL-padded to its length
        if (event.mask & (IN_CREATE | IN_MOVED_TO))
            Add(folder->names, name);
        else if (event.mask & (IN_DELETE | IN_MOVED_FROM))
            Remove(folder->names, name);
    }

    std::mutex m_mutex;
    int m_inotify = -1;
    pid_t m_pid = 0;
    uint64_t m_clock = 0;
    std::vector<Folder> m_folders;
};

} // namespace

std::optional<std::string> EntryIgnoringCase(const std::filesystem::path& folder, const std::string& name)
{
    // Never destroyed: the drive mapping may still be used while static objects are destroyed.
    static FolderIndex* const index = new FolderIndex;
    return index->Lookup(folder, name);
}

uint64_t FolderListingsRead()
{
    return listingsRead;
}

} // namespace winpath
