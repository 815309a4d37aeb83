// CFile over POSIX file descriptors.
#include "platform/fs/CFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs/detail/FsBackend.h"

struct CFile::Impl
{
    int handle; // the open file descriptor
};

void CFile::ImplDelete::operator()(Impl* impl) const
{
    delete impl;
}

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error)
{
    if (IsOpen())
        Abort();
    const std::filesystem::path host = winpath::ToHost(path);
    if (host.empty()) {
        if (error)
            *error = CFileException(CFileException::badPath, 0, path);
        return false;
    }
    int oflags = O_CLOEXEC;
    switch (flags & 3) {
    case modeWrite:
        oflags |= O_WRONLY;
        break;
    case modeReadWrite:
        oflags |= O_RDWR;
        break;
    default:
        oflags |= O_RDONLY;
        break;
    }
    if (flags & modeCreate) {
        oflags |= O_CREAT;
        if (!(flags & modeNoTruncate))
            oflags |= O_TRUNC;
    }
    int fd;
    do
        fd = ::open(host.c_str(), oflags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int os = errno;
        if (error)
            *error = CFileException(CFileException::OsErrorToCause(os), os, path);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        if (error)
            *error = CFileException(CFileException::accessDenied, EISDIR, path);
        return false;
    }
    m_impl.reset(new Impl{fd});
    m_flags = flags;
    m_strFilePath = winpath::ToWindows(host);
    return true;
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    const int fd = m_impl->handle;
    m_impl.reset();
    if (::close(fd) != 0 && errno != EINTR)
        ThrowOsError(errno);
}

void CFile::Abort()
{
    if (IsOpen()) {
        ::close(m_impl->handle);
        m_impl.reset();
    }
}

unsigned CFile::Read(void* buffer, unsigned count)
{
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, EBADF, m_strFilePath);
    unsigned done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(m_impl->handle, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowOsError(errno);
        }
        if (n == 0)
            break;
        done += static_cast<unsigned>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, unsigned count)
{
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, EBADF, m_strFilePath);
    unsigned done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(m_impl->handle, in + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowOsError(errno);
        }
        if (n == 0)
            ThrowOsError(ENOSPC);
        done += static_cast<unsigned>(n);
    }
}

uint64_t CFile::Seek(int64_t offset, unsigned from)
{
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, EBADF, m_strFilePath);
    const int whence = from == end ? SEEK_END : from == current ? SEEK_CUR : SEEK_SET;
    const off_t position = ::lseek(m_impl->handle, static_cast<off_t>(offset), whence);
    if (position < 0)
        throw CFileException(CFileException::badSeek, errno, m_strFilePath);
    return static_cast<uint64_t>(position);
}

uint64_t CFile::GetPosition() const
{
    const off_t position = IsOpen() ? ::lseek(m_impl->handle, 0, SEEK_CUR) : -1;
    if (position < 0)
        throw CFileException(CFileException::badSeek, IsOpen() ? errno : EBADF, m_strFilePath);
    return static_cast<uint64_t>(position);
}

uint64_t CFile::GetLength() const
{
    struct stat st;
    if (!IsOpen() || ::fstat(m_impl->handle, &st) != 0)
        ThrowOsError(IsOpen() ? errno : EBADF);
    return static_cast<uint64_t>(st.st_size);
}

void CFile::SetLength(uint64_t length)
{
    if (!IsOpen() || ::ftruncate(m_impl->handle, static_cast<off_t>(length)) != 0)
        ThrowOsError(IsOpen() ? errno : EBADF);
}

void CFile::Reserve(uint64_t length)
{
    if (IsOpen() && length > 0)
        ::fallocate(m_impl->handle, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(length));
}

void CFile::Flush()
{
    if (!IsOpen())
        return;
    if (::fdatasync(m_impl->handle) != 0 && errno != EINVAL && errno != EROFS)
        ThrowOsError(errno);
}

bool CFile::Hold()
{
    // A whole-file lock of the open file description, as the temporaries' locks: unlike a record lock
    // it needs no write access and is not lost when another descriptor of the process closes the file.
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    int result;
    do
        result = ::flock(m_impl->handle, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    // A file system that keeps no locks (a network share without its lock service) cannot order the
    // holders; refusing would refuse everyone for ever.
    return result == 0 || errno == ENOLCK || errno == EOPNOTSUPP;
}
