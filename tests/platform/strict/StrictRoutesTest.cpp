// The strict layer stands in front of the calls the test program itself makes: its own, the platform
// layer's linked into it, and the static C++ runtime's, all through the executable's import table.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/fs/CFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/strict/FaultSeam.h"
#include "tests/support/strict/windows/StrictLayer.h"

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(StrictRoutes, TheImportTableCallsTheLayerForEveryHookedCallTheProgramMakes)
{
    // What the platform layer and this test program call; each has its entry patched.
    for (const char* name :
         {"CreateFileA",      "CreateFileW",        "CloseHandle",        "WriteFile",
          "FlushFileBuffers", "SetEndOfFile",       "CopyFileA",          "CopyFileW",
          "CopyFileExW",      "MoveFileExA",        "MoveFileExW",        "DeleteFileA",
          "DeleteFileW",      "CreateDirectoryA",   "CreateDirectoryW",   "RemoveDirectoryA",
          "RemoveDirectoryW", "SetFileAttributesA", "SetFileAttributesW", "RegOpenKeyExA",
          "RegOpenKeyExW",    "RegCreateKeyExW",    "RegSetValueExW",     "RegDeleteValueW",
          "RegDeleteTreeW",   "RegCloseKey"})
        EXPECT_GE(strict::win::PatchedEntries(name), 1) << name;
}

TEST(StrictRoutes, TheFileLayersCopyOntoAHiddenOrReadOnlyFileIsRefused)
{
    ScratchDir dir("routes");
    std::ofstream(dir / "new.txt") << "new";
    for (const DWORD mark : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_READONLY}}) {
        SCOPED_TRACE(mark);
        const std::filesystem::path target = dir / ("target" + std::to_string(mark));
        std::ofstream(target) << "old";
        ASSERT_TRUE(SetFileAttributesW(target.c_str(), mark));
        SetLastError(0);
        EXPECT_FALSE(CopyFile(winpath::ToWindows(dir / "new.txt"), winpath::ToWindows(target), false));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(ReadAll(target), "old");
    }
}

TEST(StrictRoutes, TheFileLayersFlushOrCutThroughAHandleOpenedForReadingIsRefused)
{
    ScratchDir dir("routes");
    std::ofstream(dir / "data.txt") << "data";
    CFile file(winpath::ToWindows(dir / "data.txt"), CFile::modeRead | CFile::shareDenyNone);
    for (const char* call : {"flush", "cut"}) {
        try {
            if (call == std::string("flush"))
                file.Flush();
            else
                file.SetLength(1);
            ADD_FAILURE() << call << " passed";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::accessDenied) << call;
        }
    }
    file.Close();
    EXPECT_EQ(ReadAll(dir / "data.txt"), "data");
}

TEST(StrictRoutes, TheFileLayersCallsMeetTheFaultSeam)
{
    ScratchDir dir("routes");
    std::ofstream(dir / "kept.txt") << "kept";
    {
        strict::ArmedFileFault fault(1, strict::FileFault::DiskFull);
        EXPECT_FALSE(DeleteFile(winpath::ToWindows(dir / "kept.txt")));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
        EXPECT_EQ(fault.Calls(), 1u);
    }
    EXPECT_EQ(ReadAll(dir / "kept.txt"), "kept");
}

TEST(StrictRoutes, TheCppRuntimesRenameOntoAnOpenFileIsRefused)
{
    ScratchDir dir("routes");
    std::ofstream(dir / "from.txt") << "new";
    std::ofstream(dir / "to.txt") << "old";
    const HANDLE held = CreateFileW((dir / "to.txt").c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::error_code ec;
    std::filesystem::rename(dir / "from.txt", dir / "to.txt", ec);
    CloseHandle(held);
    EXPECT_TRUE(ec);
    EXPECT_EQ(ReadAll(dir / "to.txt"), "old");
    std::filesystem::rename(dir / "from.txt", dir / "to.txt", ec);
    EXPECT_FALSE(ec) << ec.message();
    EXPECT_EQ(ReadAll(dir / "to.txt"), "new");
}
