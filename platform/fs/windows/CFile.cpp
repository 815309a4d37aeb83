// CFile over Win32 file handles; the system enforces the share flags.
#include "platform/fs/CFile.h"

#include "platform/fs/detail/FsBackend.h"

struct CFile::Impl
{
    HANDLE handle; // the open file handle
};

void CFile::ImplDelete::operator()(Impl* impl) const
{
    delete impl;
}

namespace {

DWORD ShareMode(unsigned flags)
{
    switch (flags & 0x70) {
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    default: // shareExclusive and the old compatibility mode
        return 0;
    }
}

DWORD Disposition(unsigned flags)
{
    if (!(flags & CFile::modeCreate))
        return OPEN_EXISTING;
    return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

// Rewriting an existing hidden or system file with CREATE_ALWAYS is refused (access denied) unless the
// call asks for the same marks the file has (CreateFile's remarks): our hidden temporaries are
// rewritten by name, so their marks are asked for again.
DWORD CreationAttributes(const std::string& path, DWORD disposition)
{
    if (disposition != CREATE_ALWAYS)
        return FILE_ATTRIBUTE_NORMAL;
    const DWORD existing = GetFileAttributesA(path.c_str());
    if (existing == INVALID_FILE_ATTRIBUTES || (existing & FILE_ATTRIBUTE_DIRECTORY))
        return FILE_ATTRIBUTE_NORMAL;
    const DWORD marks = existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    return marks ? marks : FILE_ATTRIBUTE_NORMAL;
}

} // namespace

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error)
{
    if (IsOpen())
        Abort();
    if (path.empty()) {
        if (error)
            *error = CFileException(CFileException::badPath, ERROR_INVALID_NAME, path);
        return false;
    }
    DWORD access = GENERIC_READ;
    if ((flags & 3) == modeWrite)
        access = GENERIC_WRITE;
    else if ((flags & 3) == modeReadWrite)
        access = GENERIC_READ | GENERIC_WRITE;
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr,
                                 (flags & modeNoInherit) ? FALSE : TRUE};
    const DWORD disposition = Disposition(flags);
    const HANDLE handle = CreateFileA(path.c_str(), access, ShareMode(flags), &security, disposition,
                                      CreationAttributes(path, disposition), nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD os = GetLastError();
        // Opening a folder as a file is refused as on Linux: access denied.
        if (os == ERROR_ACCESS_DENIED || os == ERROR_PATH_NOT_FOUND) {
            const DWORD attributes = GetFileAttributesA(path.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                os = ERROR_ACCESS_DENIED;
        }
        if (error)
            *error = CFileException(CFileException::OsErrorToCause(static_cast<int>(os)),
                                    static_cast<long>(os), path);
        return false;
    }
    m_impl.reset(new Impl{handle});
    m_flags = flags;
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    m_strFilePath = (length > 0 && length < sizeof full) ? std::string(full, length) : path;
    return true;
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    const HANDLE handle = m_impl->handle;
    m_impl.reset();
    if (!CloseHandle(handle))
        ThrowOsError(static_cast<long>(GetLastError()));
}

void CFile::Abort()
{
    if (IsOpen()) {
        CloseHandle(m_impl->handle);
        m_impl.reset();
    }
}

unsigned CFile::Read(void* buffer, unsigned count)
{
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFilePath);
    unsigned done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        DWORD n = 0;
        if (!ReadFile(m_impl->handle, out + done, count - done, &n, nullptr)) {
            const DWORD os = GetLastError();
            if (os == ERROR_HANDLE_EOF || os == ERROR_BROKEN_PIPE)
                break;
            ThrowOsError(static_cast<long>(os));
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

void CFile::Write(const void* buffer, unsigned count)
{
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFilePath);
    unsigned done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < count) {
        DWORD n = 0;
        if (!WriteFile(m_impl->handle, in + done, count - done, &n, nullptr))
            ThrowOsError(static_cast<long>(GetLastError()));
        if (n == 0)
            ThrowOsError(ERROR_DISK_FULL);
        done += n;
    }
}

uint64_t CFile::Seek(int64_t offset, unsigned from)
{
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFilePath);
    const DWORD method = from == end ? FILE_END : from == current ? FILE_CURRENT : FILE_BEGIN;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(m_impl->handle, distance, &position, method))
        throw CFileException(CFileException::badSeek, static_cast<long>(GetLastError()), m_strFilePath);
    return static_cast<uint64_t>(position.QuadPart);
}

uint64_t CFile::GetPosition() const
{
    LARGE_INTEGER zero{};
    LARGE_INTEGER position;
    if (!IsOpen() || !SetFilePointerEx(m_impl->handle, zero, &position, FILE_CURRENT))
        throw CFileException(CFileException::badSeek,
                             IsOpen() ? static_cast<long>(GetLastError()) : ERROR_INVALID_HANDLE,
                             m_strFilePath);
    return static_cast<uint64_t>(position.QuadPart);
}

uint64_t CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(m_impl->handle, &size))
        ThrowOsError(IsOpen() ? static_cast<long>(GetLastError()) : ERROR_INVALID_HANDLE);
    return static_cast<uint64_t>(size.QuadPart);
}

void CFile::SetLength(uint64_t length)
{
    if (!IsOpen())
        ThrowOsError(ERROR_INVALID_HANDLE);
    // SetEndOfFile cuts or extends at the file pointer: move it there and back again.
    const uint64_t position = GetPosition();
    Seek(static_cast<int64_t>(length), begin);
    const bool ok = SetEndOfFile(m_impl->handle);
    const DWORD os = GetLastError();
    Seek(static_cast<int64_t>(position), begin);
    if (!ok)
        ThrowOsError(static_cast<long>(os));
}

void CFile::Reserve(uint64_t length)
{
    // Only a hint: the allocation grows, the file's length stays with the writes.
    if (!IsOpen() || length == 0)
        return;
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(length);
    SetFileInformationByHandle(m_impl->handle, FileAllocationInfo, &allocation, sizeof allocation);
}

void CFile::Flush()
{
    if (!IsOpen())
        return;
    if (!FlushFileBuffers(m_impl->handle) && GetLastError() != ERROR_INVALID_HANDLE)
        ThrowOsError(static_cast<long>(GetLastError()));
}

bool CFile::Hold()
{
    // One byte far past any data: the system's lock there refuses a second holder and no read or write
    // ever reaches it. A read-only handle may take it, so the holder stands beside the writers.
    if (!IsOpen()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    OVERLAPPED at = {};
    at.OffsetHigh = 0x7FFFFFFF;
    return LockFileEx(m_impl->handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) !=
           FALSE;
}
