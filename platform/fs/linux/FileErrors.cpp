// errno values as file error causes and as readable text.
#include "platform/fs/CFileException.h"

#include <cerrno>
#include <cstring>

#include "platform/fs/FileSystem.h"
#include "platform/fs/detail/FsBackend.h"

int CFileException::OsErrorToCause(int error)
{
    switch (error) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EBUSY:
    case ETXTBSY:
        return sharingViolation;
    case ESPIPE:
        return badSeek;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

std::string OsErrorText(long error)
{
    return std::strerror(static_cast<int>(error));
}

long LastOsError()
{
    return errno;
}
