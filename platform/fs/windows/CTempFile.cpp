// Temporary files beside their targets, created exclusively and held open by this process.
#include "platform/fs/CTempFile.h"

#include <map>
#include <random>
#include <set>

#include "platform/fs/detail/FsBackend.h"

// The lock is a byte-range lock far past any data, held through a handle that shares reading, writing
// and deleting, so that the program's own writes and the move into place go on while it is held. A
// clean-up that cannot take the same range leaves the file alone.
namespace {

constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF; // far beyond any file the program writes

constexpr const char* kMarker = ".~";
constexpr size_t kUniqueLength = 6;
constexpr int kAttempts = 100;

// Folder (with its '\') and file name of a Windows path.
std::pair<std::string, std::string> Split(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// The hidden name's stem: short enough that a target name near the length limit still leaves room.
std::string Stem(const std::string& fileName)
{
    return "." + fileName.substr(0, 40) + kMarker;
}

std::string UniquePart(std::mt19937& random)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string part;
    for (size_t i = 0; i < kUniqueLength; ++i)
        part += kLetters[random() % (sizeof kLetters - 1)];
    return part;
}

HANDLE AsHandle(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

HANDLE OpenShared(const std::string& path, DWORD disposition, DWORD attributes)
{
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, disposition, attributes, nullptr);
}

bool TakeLock(HANDLE handle)
{
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    return LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != FALSE;
}

} // namespace

bool CTempFile::Create(const std::string& target)
{
    Remove();
    const auto [folder, name] = Split(target);
    if (name.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string candidate = folder + Stem(name) + UniquePart(random);
        // CREATE_NEW never opens what is there already, a planted link included.
        const HANDLE handle = OpenShared(candidate, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN);
        if (handle != INVALID_HANDLE_VALUE) {
            if (!TakeLock(handle)) { // a clean-up got there first: leave it the name
                CloseHandle(handle);
                continue;
            }
            m_hLock = reinterpret_cast<std::intptr_t>(handle);
            m_strPath = candidate;
            m_strTarget = target;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return false;
}

bool CTempFile::Move(bool replace)
{
    if (m_strPath.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    if (replace ? !MoveFileReplacing(m_strPath, m_strTarget)
                : !MoveFileExA(m_strPath.c_str(), m_strTarget.c_str(), 0))
        return false;
    Release();
    return true;
}

bool KeepAside(const std::string& path, std::string& kept)
{
    if (FolderExists(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // A file that a player holds without sharing its deletion cannot be replaced, and a second name
    // given to it could not be taken back while it is held: found out first.
    const HANDLE probe =
        CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(probe);
    const auto [folder, name] = Split(path);
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string candidate = folder + Stem(name) + UniquePart(random);
        // A second link leaves the file where it is for as long as the move in has not happened.
        if (CreateHardLinkA(candidate.c_str(), path.c_str(), nullptr) ||
            MoveFileExA(path.c_str(), candidate.c_str(), 0)) {
            kept = candidate;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return false;
}

void CTempFile::ReleaseLock()
{
    if (m_hLock != -1)
        CloseHandle(AsHandle(m_hLock));
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
    std::map<std::string, std::set<std::string>> stems;
    for (const std::string& target : targets) {
        const auto [folder, name] = Split(target);
        if (!name.empty())
            stems[folder].insert(Stem(name));
    }
    int removed = 0;
    for (const auto& [folder, folderStems] : stems) {
        WIN32_FIND_DATAA found;
        const HANDLE find = FindFirstFileA((folder + ".*" + kMarker + "*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            const std::string name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.size() < kUniqueLength + 3 ||
                !folderStems.count(name.substr(0, name.size() - kUniqueLength)))
                continue;
            const std::string path = folder + name;
            const HANDLE stale = OpenShared(path, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
            if (stale == INVALID_HANDLE_VALUE)
                continue;
            // Held by a live instance when the lock cannot be had; kept when settle says so.
            const bool free = TakeLock(stale) && settle(path);
            CloseHandle(stale);
            if (!free)
                continue;
            // A read-only mark (an older run marked its temporaries as their entries) refuses deletion.
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (DeleteFile(path))
                ++removed;
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    return removed;
}
