// CFile: open modes, reading, writing, seeking, lengths, full paths and the errors it raises.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/fs/CFile.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ScratchDir.h"

namespace {

std::string Win(const std::filesystem::path& p)
{
    return winpath::ToWindows(p);
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
#endif
