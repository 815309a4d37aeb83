// The fault seam on both builds: the Nth file call of a command fails with the armed error and stops it,
// the count is that of the calls made, a command without a due call completes, disarming restores.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/fs/CFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/strict/FaultSeam.h"

namespace {

long LastError()
{
#ifdef _WIN32
    return static_cast<long>(GetLastError());
#else
    return errno;
#endif
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A small command of the kind the program runs: a folder, a new file written and flushed beside the
// target, moved over it. Stops at the first failure, giving its error.
struct WriteBesideAndMove
{
    std::string folder;
    std::string target;

    bool Run(const std::string& text, long& error) const
    {
        if (!FolderExists(folder) && !CreateDirectory(folder)) {
            error = LastError();
            return false;
        }
        const std::string temporary = folder + "\\new.tmp";
        CFile file;
        CFileException failure;
        if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite, &failure)) {
            error = failure.m_lOsError;
            return false;
        }
        try {
            file.Write(text.data(), static_cast<unsigned>(text.size()));
            file.Flush();
            file.Close();
        } catch (const CFileException& e) {
            error = e.m_lOsError;
            return false;
        }
        if (!MoveFileReplacing(temporary, target)) {
            error = LastError();
            return false;
        }
        return true;
    }
};

class FaultSeam : public testing::Test
{
protected:
    ~FaultSeam() override { strict::DisarmFileFault(); }

    // Every run of the command starts from the same files, so that it makes the same calls.
    void Reset()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir / "out", ec);
    }

    ScratchDir m_dir{"faultseam"};
    WriteBesideAndMove m_command{winpath::ToWindows(m_dir / "out"), winpath::ToWindows(m_dir / "target.txt")};
};

} // namespace

TEST_F(FaultSeam, EachCallOfACommandFailsInTurnUntilItCompletes)
{
    long error = 0;
    strict::ArmFileFault(0, strict::FileFault::DiskFull); // counts only
    ASSERT_TRUE(m_command.Run("first", error));
    const unsigned long calls = strict::FileCallsWhileArmed();
    EXPECT_FALSE(strict::FileFaultFired());
    strict::DisarmFileFault();
    // A folder, an open, a write, a flush and a move at least.
    ASSERT_GE(calls, 5u);

    for (unsigned long nth = 1; nth <= calls + 1; ++nth) {
        SCOPED_TRACE("call " + std::to_string(nth));
        Reset();
        error = 0;
        bool completed;
        {
            strict::ArmedFileFault fault(nth, strict::FileFault::DiskFull);
            completed = m_command.Run("second", error);
            EXPECT_EQ(fault.Calls(), std::min(nth, calls));
            EXPECT_EQ(fault.Fired(), nth <= calls);
        }
        if (nth <= calls) {
            EXPECT_FALSE(completed);
            EXPECT_EQ(error, strict::OsErrorOf(strict::FileFault::DiskFull));
            EXPECT_EQ(ReadAll(m_dir / "target.txt"), "first");
        } else {
            EXPECT_TRUE(completed);
            EXPECT_EQ(ReadAll(m_dir / "target.txt"), "second");
        }
    }
}

TEST_F(FaultSeam, DisarmingRestoresTheCallsAndKeepsTheCount)
{
    long error = 0;
    strict::ArmFileFault(1, strict::FileFault::AccessDenied);
    EXPECT_FALSE(m_command.Run("x", error));
    EXPECT_EQ(error, strict::OsErrorOf(strict::FileFault::AccessDenied));
    strict::DisarmFileFault();

    EXPECT_TRUE(m_command.Run("after", error));
    EXPECT_EQ(ReadAll(m_dir / "target.txt"), "after");
    EXPECT_EQ(strict::FileCallsWhileArmed(), 1u);
    EXPECT_TRUE(strict::FileFaultFired());

    strict::ArmFileFault(0, strict::FileFault::AccessDenied);
    EXPECT_EQ(strict::FileCallsWhileArmed(), 0u);
    EXPECT_FALSE(strict::FileFaultFired());
}

TEST_F(FaultSeam, APersistentFaultFailsEveryLaterCallToo)
{
    const std::string file = winpath::ToWindows(m_dir / "kept.txt");
    std::ofstream(m_dir / "kept.txt") << "kept";
    strict::ArmedFileFault fault(2, strict::FileFault::IoError, true);
    EXPECT_TRUE(CreateDirectory(winpath::ToWindows(m_dir / "made")));
    EXPECT_FALSE(DeleteFile(file));
    EXPECT_EQ(LastError(), strict::OsErrorOf(strict::FileFault::IoError));
    EXPECT_FALSE(RemoveDirectory(winpath::ToWindows(m_dir / "made")));
    EXPECT_GE(fault.Calls(), 3u);
    EXPECT_EQ(ReadAll(m_dir / "kept.txt"), "kept");
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "made"));
}

// std::filesystem is part of the program too: libstdc++'s rename reaches the system through the seam
// (MoveFileExW through the import table on Windows, rename on Linux).
TEST_F(FaultSeam, TheCppRuntimesRenamesAreFileCallsToo)
{
    std::ofstream(m_dir / "from.txt") << "moved";
    std::error_code ec;
    {
        strict::ArmedFileFault fault(1, strict::FileFault::AccessDenied);
        std::filesystem::rename(m_dir / "from.txt", m_dir / "to.txt", ec);
        EXPECT_EQ(fault.Calls(), 1u);
    }
    EXPECT_EQ(ec, std::errc::permission_denied);
    EXPECT_TRUE(std::filesystem::exists(m_dir / "from.txt"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "to.txt"));
}
