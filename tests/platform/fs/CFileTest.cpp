// CFile: open modes, reading, writing, seeking, lengths, full paths, holds and the errors it raises.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

#include "platform/fs/CFile.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDir.h"

namespace {

std::string Win(const std::filesystem::path& p)
{
    return winpath::ToWindows(p);
}

// The child's part: opens the file args[0] as a save's holder does, says whether it holds it, and keeps
// it until its input ends; then ends at once, as a killed run does.
int HoldFile(const std::vector<std::string>& args)
{
    CFile file;
    const bool held =
        args.size() == 1 && file.Open(args[0], CFile::modeRead | CFile::shareDenyNone) && file.Hold();
    std::puts(held ? "held" : "refused");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    std::_Exit(0);
}
const ChildRoleRegistration kHoldFile("hold-file", HoldFile);

std::string HoldInChild(const std::string& path, std::unique_ptr<ChildProcess>& child)
{
    child = std::make_unique<ChildProcess>("hold-file", std::vector<std::string>{path});
    return child->ReadLine();
}

} // namespace

TEST(CFile, WritesReadsSeeksAndSetsLength)
{
    ScratchDir dir("cfile");
    const std::string path = Win(dir / "f.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite));
    EXPECT_EQ(file.GetFilePath(), path);
    EXPECT_EQ(file.GetFileName(), "f.bin");
    file.Write("hello world", 11);
    EXPECT_EQ(file.GetPosition(), 11u);
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.Seek(6, CFile::begin), 6u);
    char buf[16] = {};
    EXPECT_EQ(file.Read(buf, sizeof buf), 5u) << "short only at the end";
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(file.Seek(-5, CFile::end), 6u);
    EXPECT_EQ(file.Seek(2, CFile::current), 8u);
    file.SetLength(5);
    EXPECT_EQ(file.GetLength(), 5u);
    EXPECT_EQ(file.SeekToEnd(), 5u);
    file.Flush();
    file.Close();
    EXPECT_FALSE(file.IsOpen());

    {
        // Closed before the next open: on Windows an open without share flags keeps the file to itself.
        CFile again(path, CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate);
        EXPECT_EQ(again.GetLength(), 5u) << "no-truncate keeps the data";
    }
    CFile truncating(path, CFile::modeWrite | CFile::modeCreate);
    EXPECT_EQ(truncating.GetLength(), 0u);
}

TEST(CFile, OpenFailuresCarryCauseAndFile)
{
    ScratchDir dir("cfileerr");
    CFile file;
    CFileException error;
    const std::string missing = Win(dir / "missing.zip");
    EXPECT_FALSE(file.Open(missing, CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, missing);
    EXPECT_NE(error.GetErrorMessage().find(missing), std::string::npos) << error.GetErrorMessage();

    EXPECT_FALSE(file.Open(Win(dir.Path()), CFile::modeRead, &error)) << "a folder is not a file";
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    EXPECT_FALSE(file.Open(Win(dir / "no" / "such" / "x"), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);

    try {
        CFile thrower(missing, CFile::modeRead);
        ADD_FAILURE() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    }
}

#ifndef _WIN32
// Linux devices through the drive mapping: a full device and a file that cannot be read.
TEST(CFile, WriteToAFullDeviceRaisesDiskFull)
{
    CFile full;
    ASSERT_TRUE(full.Open("Z:\\dev\\full", CFile::modeWrite));
    try {
        full.Write("data", 4);
        ADD_FAILURE() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_strFileName, "Z:\\dev\\full");
    }
}

TEST(CFile, ReadErrorsRaise)
{
    CFile mem;
    ASSERT_TRUE(mem.Open("Z:\\proc\\self\\mem", CFile::modeRead));
    char buf[8];
    EXPECT_THROW(mem.Read(buf, sizeof buf), CFileException);
}

TEST(CFile, ReserveSetsRoomAsideButLeavesTheLengthToTheWrites)
{
    ScratchDir dir("cfilereserve");
    const std::string path = Win(dir / "r.bin");
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Reserve(1 << 20);
    EXPECT_EQ(file.GetLength(), 0u);
    struct stat st;
    ASSERT_EQ(::stat((dir / "r.bin").c_str(), &st), 0);
    EXPECT_GE(uint64_t(st.st_blocks) * 512, uint64_t(1) << 20) << "the room is set aside on the device";
    file.Write("abc", 3);
    EXPECT_EQ(file.GetLength(), 3u);
    file.Close();
    std::ifstream in(dir / "r.bin", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "abc");

    // A device that cannot reserve, and a closed file, take the hint without complaint.
    CFile full("Z:\\dev\\full", CFile::modeWrite);
    EXPECT_NO_THROW(full.Reserve(4096));
    CFile closed;
    EXPECT_NO_THROW(closed.Reserve(4096));
}
#endif

// One holder at a time, whether the other is an object of this process or another process; the hold
// lets go when its file closes or its process is killed, and readers and writers are not held up by it.
TEST(CFile, HoldIsOneHoldersAtATimeAndGoesWithTheFileOrTheProcess)
{
    ScratchDir dir("cfilehold");
    const std::string path = Win(dir / "held.zip");
    std::ofstream(dir / "held.zip", std::ios::binary) << "0123456789";
    std::unique_ptr<ChildProcess> child;

    CFile first(path, CFile::modeRead | CFile::shareDenyNone);
    ASSERT_TRUE(first.Hold());
    CFile second(path, CFile::modeRead | CFile::shareDenyNone);
    EXPECT_FALSE(second.Hold()) << "a second object of this process";
    EXPECT_EQ(HoldInChild(path, child), "refused") << "another process";
    child->Kill();
    {
        // A save's own writer beside its holder.
        CFile writer(path, CFile::modeReadWrite | CFile::shareDenyWrite);
        writer.Seek(0, CFile::end);
        writer.Write("abc", 3);
        writer.SeekToBegin();
        char head[4] = {};
        EXPECT_EQ(writer.Read(head, 3), 3u);
        EXPECT_EQ(std::string(head), "012");
        EXPECT_EQ(writer.GetLength(), 13u);
    }

    first.Close();
    EXPECT_TRUE(second.Hold()) << "the first holder closed";
    second.Close();
    EXPECT_EQ(HoldInChild(path, child), "held");
    CFile third(path, CFile::modeRead | CFile::shareDenyNone);
    EXPECT_FALSE(third.Hold()) << "the child holds it";
    child->Kill();
    EXPECT_TRUE(third.Hold()) << "the killed child still holds it";
}
