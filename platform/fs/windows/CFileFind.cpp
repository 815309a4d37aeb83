// Folder listings through FindFirstFileEx/FindNextFile, which match the pattern and report attributes.
#include "platform/fs/CFileFind.h"

#include "platform/fs/detail/FsBackend.h"

namespace {

// FILETIME counts 100 ns steps from 1601; time_t counts seconds from 1970.
std::time_t ToTime(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<std::time_t>((value.QuadPart - 116444736000000000ULL) / 10000000ULL);
}

// A folder that stands for another: a junction, a symbolic link or a mount point carries a name-surrogate
// reparse tag. Other reparse points (cloud placeholders, deduplicated files) are the folder itself.
// Wine lists a Unix symbolic link to a folder as a reparse point and writes no tag (it leaves
// dwReserved0 as it was, so it is cleared before each call): an unknown tag counts as a link.
bool IsFolderLinkData(const WIN32_FIND_DATAA& data)
{
    const DWORD kFolderReparse = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    return (data.dwFileAttributes & kFolderReparse) == kFolderReparse &&
           (data.dwReserved0 == 0 || IsReparseTagNameSurrogate(data.dwReserved0));
}

} // namespace

bool CFileFind::FindFile(const std::string& pattern)
{
    Close();
    const size_t cut = pattern.find_last_of("\\/");
    std::string name = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    if (cut != std::string::npos) {
        m_impl->root = pattern.substr(0, cut) + '\\';
    } else if (pattern.size() >= 2 && pattern[1] == ':') {
        m_impl->root = pattern.substr(0, 2) + '\\'; // "C:*.*"
        name = pattern.substr(2);
    }
    if (name.empty())
        return false;
    m_impl->hostFolder = m_impl->root; // Windows-form paths are the system's own

    // The basic level skips the short names nobody here reads; a listing asks for the directory in
    // large blocks. A folder that cannot be listed (access refused, a path past MAX_PATH) lists nothing.
    const bool listing = name.find_first_of("*?") != std::string::npos;
    WIN32_FIND_DATAA data;
    data.dwReserved0 = 0;
    const HANDLE find = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, listing ? FIND_FIRST_EX_LARGE_FETCH : 0);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        Impl::Entry entry;
        entry.name = data.cFileName;
        entry.attributes = data.dwFileAttributes;
        entry.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
        entry.length = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry.written = ToTime(data.ftLastWriteTime);
        entry.folderLink = IsFolderLinkData(data);
        m_impl->entries.push_back(std::move(entry));
        data.dwReserved0 = 0;
    } while (::FindNextFileA(find, &data));
    FindClose(find);
    return !m_impl->entries.empty();
}

std::string CFileFind::Impl::HostPath(const Entry& entry) const
{
    return hostFolder + entry.name;
}

bool CFileFind::IsDirectory() const
{
    const Impl::Entry* entry = m_impl->Current();
    return entry && entry->directory == 1;
}

std::uint32_t CFileFind::GetAttributes() const
{
    const Impl::Entry* entry = m_impl->Current();
    return entry ? entry->attributes : 0;
}

std::uint64_t CFileFind::GetLength() const
{
    const Impl::Entry* entry = m_impl->Current();
    return entry && entry->directory != 1 ? entry->length : 0;
}

bool CFileFind::GetLastWriteTime(std::time_t& time) const
{
    const Impl::Entry* entry = m_impl->Current();
    if (!entry)
        return false;
    time = entry->written;
    return true;
}

bool CFileFind::GetIdentity(Identity& identity) const
{
    const Impl::Entry* entry = m_impl->Current();
    if (!entry)
        return false;
    // Backup semantics open folders too; no access right is needed to read the identity, and a link is
    // followed to what it names.
    const HANDLE handle = CreateFileA(m_impl->HostPath(*entry).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    const bool ok = GetFileInformationByHandle(handle, &information);
    CloseHandle(handle);
    if (!ok)
        return false;
    identity.device = information.dwVolumeSerialNumber;
    identity.inode =
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

bool CFileFind::IsFolderLink() const
{
    const Impl::Entry* entry = m_impl->Current();
    return entry && entry->folderLink;
}

bool CFileFind::LeadsOffDrive() const
{
    // Windows has no file systems that describe the running system instead of holding files, and links
    // back up the tree, to the drive's root as to any folder above, are told by IsFolderLink and the
    // identity of what they lead to; nothing here leads above a drive's root.
    return false;
}
