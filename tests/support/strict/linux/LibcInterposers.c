/* The fault seam on Linux: the C library's file entry points, defined in the test executable so that they
   come first in symbol lookup, each forwarding to the next definition (dlsym(RTLD_NEXT)) unless the armed
   call is due. Only calls from the executable and libstdc++ count: the toolkits' own files (fonts, sound,
   sockets) stay out of the count, as the DLLs' calls do on Windows. */
#define _GNU_SOURCE
#undef _FORTIFY_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utime.h>

/* FaultSeamLinux.cpp */
int zentrimo_fault_armed(void);
int zentrimo_file_call_fails(long* error);

/* glibc's checked variants of open, called where a caller was built with _FORTIFY_SOURCE. */
int __open_2(const char* path, int flags);
int __open64_2(const char* path, int flags);
int __openat_2(int dirfd, const char* path, int flags);
int __openat64_2(int dirfd, const char* path, int flags);

static void* g_programBase;
static void* g_runtimeBase;

static void* ObjectBase(const void* address)
{
    Dl_info info;
    return address && dladdr(address, &info) ? info.dli_fbase : NULL;
}

/* Whether a return address lies in the executable or in libstdc++ (std::filesystem's copies and renames). */
static int ProgramCaller(const void* returnAddress)
{
    void* program = __atomic_load_n(&g_programBase, __ATOMIC_ACQUIRE);
    if (!program) {
        __atomic_store_n(&g_runtimeBase, ObjectBase(dlsym(RTLD_DEFAULT, "_ZSt9terminatev")), __ATOMIC_RELEASE);
        program = ObjectBase((const void*)&ProgramCaller);
        __atomic_store_n(&g_programBase, program, __ATOMIC_RELEASE);
    }
    void* caller = ObjectBase(returnAddress);
    return caller && (caller == program || caller == __atomic_load_n(&g_runtimeBase, __ATOMIC_ACQUIRE));
}

static int IsRegularFile(int fd)
{
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

/* The next definition of a function, looked up once. */
#define REAL(name)                                                                                          \
    static __typeof__(name)* real_;                                                                         \
    __typeof__(name)* real = __atomic_load_n(&real_, __ATOMIC_ACQUIRE);                                     \
    if (!real) {                                                                                            \
        real = (__typeof__(name)*)dlsym(RTLD_NEXT, #name);                                                  \
        __atomic_store_n(&real_, real, __ATOMIC_RELEASE);                                                   \
    }

/* Returns -1 with the armed errno when this call, made by the program and passing `counted`, is due. */
#define FAIL_WHEN_DUE(counted)                                                                              \
    do {                                                                                                    \
        long error_;                                                                                        \
        if (zentrimo_fault_armed() && (counted) && ProgramCaller(__builtin_return_address(0)) &&           \
            zentrimo_file_call_fails(&error_)) {                                                            \
            errno = (int)error_;                                                                            \
            return -1;                                                                                      \
        }                                                                                                   \
    } while (0)

/* Opening a folder to list it is a read, as FindFirstFile is on Windows. */
static int OpensFile(int flags)
{
    return !(flags & (O_DIRECTORY | O_PATH));
}

static mode_t ModeArgument(int flags, va_list arguments)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? (mode_t)va_arg(arguments, int) : 0;
}

#define OPEN_PATH(name)                                                                                     \
    int name(const char* path, int flags, ...)                                                              \
    {                                                                                                       \
        va_list arguments;                                                                                  \
        va_start(arguments, flags);                                                                         \
        const mode_t mode = ModeArgument(flags, arguments);                                                 \
        va_end(arguments);                                                                                  \
        REAL(name);                                                                                         \
        FAIL_WHEN_DUE(OpensFile(flags));                                                                    \
        return real(path, flags, mode);                                                                     \
    }
OPEN_PATH(open)
OPEN_PATH(open64)

#define OPEN_AT(name)                                                                                       \
    int name(int dirfd, const char* path, int flags, ...)                                                   \
    {                                                                                                       \
        va_list arguments;                                                                                  \
        va_start(arguments, flags);                                                                         \
        const mode_t mode = ModeArgument(flags, arguments);                                                 \
        va_end(arguments);                                                                                  \
        REAL(name);                                                                                         \
        FAIL_WHEN_DUE(OpensFile(flags));                                                                    \
        return real(dirfd, path, flags, mode);                                                              \
    }
OPEN_AT(openat)
OPEN_AT(openat64)

/* The rest forward their arguments unchanged: one line each, counted when `counted` holds. */
#define FORWARD(type, name, counted, parameters, arguments)                                                 \
    type name parameters                                                                                    \
    {                                                                                                       \
        REAL(name);                                                                                         \
        FAIL_WHEN_DUE(counted);                                                                             \
        return real arguments;                                                                              \
    }

FORWARD(int, __open_2, OpensFile(flags), (const char* path, int flags), (path, flags))
FORWARD(int, __open64_2, OpensFile(flags), (const char* path, int flags), (path, flags))
FORWARD(int, __openat_2, OpensFile(flags), (int dirfd, const char* path, int flags), (dirfd, path, flags))
FORWARD(int, __openat64_2, OpensFile(flags), (int dirfd, const char* path, int flags), (dirfd, path, flags))
FORWARD(int, creat, 1, (const char* path, mode_t mode), (path, mode))
FORWARD(int, creat64, 1, (const char* path, mode_t mode), (path, mode))
FORWARD(int, mkstemp, 1, (char* pattern), (pattern))
FORWARD(int, mkstemp64, 1, (char* pattern), (pattern))
FORWARD(int, mkostemp, 1, (char* pattern, int flags), (pattern, flags))
FORWARD(int, mkostemp64, 1, (char* pattern, int flags), (pattern, flags))
FORWARD(int, mkstemps, 1, (char* pattern, int suffix), (pattern, suffix))
FORWARD(int, mkostemps, 1, (char* pattern, int suffix, int flags), (pattern, suffix, flags))

/* Writes count on regular files only: sockets, pipes and event descriptors are not files. */
FORWARD(ssize_t, write, IsRegularFile(fd), (int fd, const void* data, size_t size), (fd, data, size))
FORWARD(ssize_t, pwrite, IsRegularFile(fd), (int fd, const void* data, size_t size, off_t at),
        (fd, data, size, at))
FORWARD(ssize_t, pwrite64, IsRegularFile(fd), (int fd, const void* data, size_t size, off64_t at),
        (fd, data, size, at))
FORWARD(ssize_t, writev, IsRegularFile(fd), (int fd, const struct iovec* parts, int count), (fd, parts, count))
FORWARD(ssize_t, pwritev, IsRegularFile(fd), (int fd, const struct iovec* parts, int count, off_t at),
        (fd, parts, count, at))
FORWARD(ssize_t, sendfile, IsRegularFile(out), (int out, int in, off_t* at, size_t size), (out, in, at, size))
FORWARD(ssize_t, sendfile64, IsRegularFile(out), (int out, int in, off64_t* at, size_t size),
        (out, in, at, size))
FORWARD(ssize_t, copy_file_range, 1,
        (int in, off64_t* inAt, int out, off64_t* outAt, size_t size, unsigned int flags),
        (in, inAt, out, outAt, size, flags))

FORWARD(int, fsync, 1, (int fd), (fd))
FORWARD(int, fdatasync, 1, (int fd), (fd))
FORWARD(int, ftruncate, 1, (int fd, off_t length), (fd, length))
FORWARD(int, ftruncate64, 1, (int fd, off64_t length), (fd, length))
FORWARD(int, truncate, 1, (const char* path, off_t length), (path, length))
FORWARD(int, truncate64, 1, (const char* path, off64_t length), (path, length))

FORWARD(int, rename, 1, (const char* from, const char* to), (from, to))
FORWARD(int, renameat, 1, (int fromDir, const char* from, int toDir, const char* to), (fromDir, from, toDir, to))
FORWARD(int, renameat2, 1, (int fromDir, const char* from, int toDir, const char* to, unsigned int flags),
        (fromDir, from, toDir, to, flags))
FORWARD(int, link, 1, (const char* from, const char* to), (from, to))
FORWARD(int, linkat, 1, (int fromDir, const char* from, int toDir, const char* to, int flags),
        (fromDir, from, toDir, to, flags))
FORWARD(int, symlink, 1, (const char* target, const char* path), (target, path))
FORWARD(int, symlinkat, 1, (const char* target, int dir, const char* path), (target, dir, path))
FORWARD(int, unlink, 1, (const char* path), (path))
FORWARD(int, unlinkat, 1, (int dir, const char* path, int flags), (dir, path, flags))
FORWARD(int, remove, 1, (const char* path), (path))
FORWARD(int, mkdir, 1, (const char* path, mode_t mode), (path, mode))
FORWARD(int, mkdirat, 1, (int dir, const char* path, mode_t mode), (dir, path, mode))
FORWARD(int, rmdir, 1, (const char* path), (path))

FORWARD(int, chmod, 1, (const char* path, mode_t mode), (path, mode))
FORWARD(int, fchmod, 1, (int fd, mode_t mode), (fd, mode))
FORWARD(int, fchmodat, 1, (int dir, const char* path, mode_t mode, int flags), (dir, path, mode, flags))
FORWARD(int, setxattr, 1, (const char* path, const char* name, const void* value, size_t size, int flags),
        (path, name, value, size, flags))
FORWARD(int, lsetxattr, 1, (const char* path, const char* name, const void* value, size_t size, int flags),
        (path, name, value, size, flags))
FORWARD(int, fsetxattr, 1, (int fd, const char* name, const void* value, size_t size, int flags),
        (fd, name, value, size, flags))
FORWARD(int, removexattr, 1, (const char* path, const char* name), (path, name))
FORWARD(int, lremovexattr, 1, (const char* path, const char* name), (path, name))
FORWARD(int, fremovexattr, 1, (int fd, const char* name), (fd, name))
FORWARD(int, utimensat, 1, (int dir, const char* path, const struct timespec times[2], int flags),
        (dir, path, times, flags))
FORWARD(int, futimens, 1, (int fd, const struct timespec times[2]), (fd, times))
FORWARD(int, utimes, 1, (const char* path, const struct timeval times[2]), (path, times))
FORWARD(int, utime, 1, (const char* path, const struct utimbuf* times), (path, times))
