// Shared helpers of the ZIP tests: files in scratch folders, Windows-form paths, running peers.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#endif

#include <gtest/gtest.h>

#include "platform/fs/WinPath.h"
#include "zip/CZipContainer.h"

namespace ziptest {

inline std::string Win(const std::filesystem::path& host)
{
    return winpath::ToWindows(host);
}

// A host path from UTF-8 text, the program's own encoding of names: the narrow std::filesystem
// conversion follows the C library's code page on Windows, which need not be UTF-8 there.
inline std::filesystem::path U8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

#ifdef _WIN32
// Runs a command through the command interpreter; its exit status (-1 when it could not be run).
inline int RunShell(const std::string& command)
{
    return std::system(command.c_str());
}

inline std::string Quote(const std::filesystem::path& path)
{
    return "\"" + path.string() + "\"";
}

// The black-box peers (Info-ZIP, Python's zipfile) are Linux programs: Wine starts them, but gives no
// handle to wait on nor their exit status, so a test that needs one runs in the Linux build only.
#define ZIPTEST_NEEDS_LINUX_PEERS()                                                                          \
    GTEST_SKIP() << "needs Info-ZIP or Python, Linux programs that Wine cannot wait for"
#else
// Runs a shell command; its exit status (-1 when it could not be run).
inline int RunShell(const std::string& command)
{
    const int status = std::system(command.c_str());
    return (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
}

inline std::string Quote(const std::filesystem::path& path)
{
    std::string q = "'";
    for (char c : path.string())
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

#define ZIPTEST_NEEDS_LINUX_PEERS() static_cast<void>(0)
#endif

// Deterministic, moderately compressible content.
inline std::string Pattern(size_t size, unsigned seed = 1)
{
    std::string s(size, '\0');
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = static_cast<char>((i % 7 == 0) ? (x >> 24) : ('a' + (i / 13) % 26));
    }
    return s;
}

// The ZIP code of a CZipException thrown by f, or 0 when none is thrown.
template <typename F> int ZipErrorOf(F&& f)
{
    try {
        f();
    } catch (const CZipException& e) {
        return e.m_iCode;
    }
    return 0;
}

// Opens host path read-only, extracts everything into folder, closes after an error; the ZIP
// code raised (0 for none).
inline int ExtractAll(const std::filesystem::path& archive, const std::filesystem::path& folder,
                      unsigned bufferSize = 65536)
{
    CZipContainer zip;
    return ZipErrorOf([&] {
        zip.OpenArchive(Win(archive), CZipContainer::OpenExisting, 0);
        for (int i = 0; i < zip.EntryCount(); ++i)
            zip.ExtractEntry(i, Win(folder), true, std::string(), bufferSize);
        zip.CloseArchive();
    });
}

#ifndef _WIN32
// While it lives, no file of this process may grow beyond bytes: a write past that fails with EFBIG, the
// file layer's "disk is full", as on a full disk, without needing one.
class ScopedFileSizeLimit
{
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = SIG_DFL;
};
#endif

} // namespace ziptest
