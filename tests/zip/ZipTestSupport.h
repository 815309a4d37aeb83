// Shared helpers of the ZIP tests: files in scratch folders, Windows-form paths, running peers.
#pragma once

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#endif

#include <gtest/gtest.h>

#include "platform/fs/WinPath.h"
#include "zip/CZipContainer.h"
#include "zip/ZipBytes.h"

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

// A path given as UTF-8 text, quoted for the command interpreter: a path's narrow form need not be UTF-8.
inline std::string QuoteText(const std::string& text)
{
    return "\"" + text + "\"";
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

inline std::string QuoteText(const std::string& text)
{
    return Quote(std::filesystem::path(text));
}

#define ZIPTEST_NEEDS_LINUX_PEERS() static_cast<void>(0)
#endif

// The OEM code page names without flag bit 11 are read in: CP437 on Linux; on Windows the page of the
// system locale, 437 unless ZENTRIMO_EXPECTED_OEM_PAGE names another (scripts/test-windows runs the name
// tests a second time under a locale whose OEM page is 866, and says so through it).
inline int ExpectedOemPage()
{
#ifdef _WIN32
    const char* page = std::getenv("ZENTRIMO_EXPECTED_OEM_PAGE");
    if (page != nullptr && *page != '\0')
        return std::atoi(page);
#endif
    return 437;
}

// One entry's name and flags as an archive's bytes hold them, in its central and in its local header.
struct StoredName
{
    std::string central;
    std::string local;
    uint16_t centralFlags = 0;
    uint16_t localFlags = 0;
};

// The entries of archive bytes in directory order; empty when there is no end record. Trusts the
// offsets: for archives the tests made themselves.
inline std::vector<StoredName> StoredNames(const std::string& zip)
{
    using zipbytes::Get16;
    using zipbytes::Get32;
    std::vector<StoredName> names;
    const size_t end = zip.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos || end + 22 > zip.size())
        return names;
    const char* record = zip.data() + end;
    const size_t offset = Get32(record + 16);
    const size_t before = end - Get32(record + 12) - offset;
    size_t at = before + offset;
    for (unsigned i = 0; i < Get16(record + 10); ++i) {
        const char* central = zip.data() + at;
        const size_t local = before + Get32(central + 42);
        StoredName name;
        name.centralFlags = Get16(central + 8);
        name.central = zip.substr(at + 46, Get16(central + 28));
        name.localFlags = Get16(zip.data() + local + 6);
        name.local = zip.substr(local + 30, Get16(zip.data() + local + 26));
        names.push_back(name);
        at += 46 + size_t(Get16(central + 28)) + Get16(central + 30) + Get16(central + 32);
    }
    return names;
}

// A test name for a table row from its label: "flag on a name cut short" -> "FlagOnANameCutShort".
inline std::string CaseName(const char* label)
{
    std::string name;
    bool upper = true;
    for (const char* p = label; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (!std::isalnum(c)) {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(std::toupper(c)) : static_cast<char>(c);
        upper = false;
    }
    return name;
}

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
