// Temporary files beside their targets: what both systems share (ownership, removal, the moves into place).
#include "platform/fs/CTempFile.h"

#include "platform/fs/FileSystem.h"
#include "platform/fs/detail/FsBackend.h"

namespace {

// Where a target was before its temporary took its place: the kept file, or none.
struct Placed
{
    std::string target;
    std::string kept;
    uint32_t attributes;
};

// Gives target its kept file back, or removes what took the place of nothing. The target's own marks
// are not set yet, so nothing read-only stands in the way.
void PutBack(const Placed& placed)
{
    if (placed.kept.empty())
        DeleteFile(placed.target);
    else if (IsSameFile(placed.kept, placed.target)) // a hard link the move never got past
        DeleteFile(placed.kept);
    else
        MoveFileReplacing(placed.kept, placed.target);
}

} // namespace

CTempFile::~CTempFile()
{
    Remove();
}

CTempFile::CTempFile(CTempFile&& other) noexcept
    : m_strPath(std::move(other.m_strPath)), m_strTarget(std::move(other.m_strTarget)),
      m_hLock(other.m_hLock), m_placedAttributes(other.m_placedAttributes)
{
    other.m_strPath.clear();
    other.m_hLock = -1;
}

CTempFile& CTempFile::operator=(CTempFile&& other) noexcept
{
    if (this != &other) {
        Remove();
        m_strPath = std::move(other.m_strPath);
        m_strTarget = std::move(other.m_strTarget);
        m_hLock = other.m_hLock;
        m_placedAttributes = other.m_placedAttributes;
        other.m_strPath.clear();
        other.m_hLock = -1;
    }
    return *this;
}

void CTempFile::Remove()
{
    // The lock goes first: on Windows an open file is only marked for deletion.
    const std::string path = m_strPath;
    Release();
    if (!path.empty())
        DeleteFile(path);
}

void CTempFile::Abandon()
{
    Release();
}

int RemoveStaleTempFiles(const std::vector<std::string>& targets)
{
    return RemoveStaleTempFiles(targets, [](const std::string&) { return true; });
}

bool CTempFile::MoveIntoPlace()
{
    if (!Move())
        return false;
    // Also drops the hidden mark the file had as a temporary.
    SetFileAttributes(m_strTarget, m_placedAttributes);
    return true;
}

bool CTempFile::MoveIntoEmptyPlace()
{
    if (!Move(false))
        return false;
    // Also drops the hidden mark the file had as a temporary.
    SetFileAttributes(m_strTarget, m_placedAttributes);
    return true;
}

void CTempFile::MoveAllIntoPlace(std::vector<CTempFile>& files)
{
    std::vector<Placed> placed;
    for (CTempFile& file : files) {
        if (!file.IsCreated())
            continue;
        Placed now{file.GetTarget(), std::string(), file.m_placedAttributes};
        // A folder in the way is left to the move, which refuses it.
        const bool keep = FileExists(now.target) && !FolderExists(now.target);
        bool moved = !keep || KeepAside(now.target, now.kept);
        moved = moved && file.Move();
        if (!moved) {
            // The refusal's own error, before putting back calls the system again.
            const CFileException refused = CFileException::FromLastOsError(now.target);
            if (!now.kept.empty())
                PutBack(now);
            for (auto it = placed.rbegin(); it != placed.rend(); ++it)
                PutBack(*it);
            throw refused;
        }
        placed.push_back(std::move(now));
    }
    // Marks last: a target made read-only earlier could not have been put back. A kept file is asked
    // twice to go (a scanner or indexer may hold it for a moment); one that still stays is a killed
    // run's leftover for the next sweep.
    for (const Placed& done : placed) {
        if (!done.kept.empty() && !DeleteFile(done.kept))
            DeleteFile(done.kept);
        SetFileAttributes(done.target, done.attributes);
    }
}
