// The component's small parts: error texts, zlib code mapping, paths, DOS times, attribute conversion.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/CZipException.h"
#include "zip/CZipPathParts.h"
#include "zip/ZipConvert.h"
#include "zip/ZipFileHelpers.h"

using namespace ziptest;

TEST(ZipErrors, DescriptionsFollowTheTable)
{
    errno = 0;
    EXPECT_EQ(CZipException(102).GetErrorDescription(), "Crc mismatched");
    EXPECT_EQ(CZipException(101).GetErrorDescription(), "Damaged or not a zip file");
    EXPECT_EQ(
        CZipException(116).GetErrorDescription(),
        "The central directory was not found in the archive (or you were trying to open not the last disk "
        "of a multi-disk archive)");
    EXPECT_EQ(CZipException(28).GetErrorDescription(), "No space left on device");
    EXPECT_EQ(CZipException(504).GetErrorDescription(), "Zlib library error (data error)");
    EXPECT_EQ(CZipException(500).GetErrorDescription(), "Zlib Library error (end of stream)");
    EXPECT_EQ(CZipException(113).GetErrorDescription(), "Error while removing a file (Unknown error)");
    EXPECT_EQ(CZipException(501).GetErrorDescription(), "Unknown error");
    EXPECT_EQ(CZipException(100).GetErrorDescription(), "Unknown error");
    EXPECT_EQ(CZipException(502).GetErrorDescription(), "Unknown error");

    errno = ENOENT;
    EXPECT_EQ(CZipException(114).GetErrorDescription(),
              std::string("Error while renaming a file (") + std::strerror(ENOENT) + ")");
    EXPECT_EQ(CZipException(502).GetErrorDescription(), "No such file or directory") << "table text of errno";
    EXPECT_EQ(CZipException(100).GetErrorDescription(), std::strerror(ENOENT));
    errno = 502;
    EXPECT_EQ(CZipException(502).GetErrorDescription(), std::strerror(502)) << "502 describes 100 instead";
    errno = 0;
}

TEST(ZipErrors, MessageBufferIsCutAndTerminated)
{
    CZipException e(102, "Z:\\x.zip");
    char buffer[10];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_TRUE(e.GetErrorMessage(buffer, 10));
    EXPECT_STREQ(buffer, "Crc misma");
    EXPECT_FALSE(e.GetErrorMessage(buffer, 0));
    EXPECT_FALSE(e.GetErrorMessage(nullptr, 10));
    EXPECT_EQ(e.GetErrorMessage(), "Error in Z:\\x.zip: Crc mismatched") << "the box names the archive";
    EXPECT_EQ(CZipException(102, nullptr).GetErrorMessage(), "Crc mismatched");
    EXPECT_EQ(e.m_strFile, "Z:\\x.zip");
    EXPECT_EQ(CZipException(101, nullptr).m_strFile, "");
}

TEST(ZipErrors, ZlibResultsMapOntoCodes)
{
    const std::pair<int, int> table[] = {{1, 500},  {2, 501},  {-1, 502}, {-2, 503}, {-3, 504},
                                         {-4, 505}, {-5, 506}, {-6, 507}, {0, 100},  {7, 100}};
    for (auto [zlib, zip] : table)
        EXPECT_EQ(CZipException::ZlibToZipError(zlib), zip) << zlib;
}

struct SplitCase
{
    const char* path;
    const char* prefix;
    const char* drive;
    const char* folder;
    const char* fileName;
    const char* withoutDrive;
    const char* filePath;
};

class ZipPathSplit : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(ZipPathSplit, SplitsAndComposes)
{
    const SplitCase& c = GetParam();
    CZipPathParts parts(c.path);
    EXPECT_EQ(parts.GetPrefix(), c.prefix);
    EXPECT_EQ(parts.GetDrive(), c.drive);
    EXPECT_EQ(parts.GetFolder(), c.folder);
    EXPECT_EQ(parts.GetFileName(), c.fileName);
    EXPECT_EQ(parts.GetPathWithoutDrive(), c.withoutDrive);
    EXPECT_EQ(parts.GetFilePath(), c.filePath);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ZipPathSplit,
    ::testing::Values(SplitCase{"C:\\a\\b.txt", "", "C:", "a", "b.txt", "a\\b.txt", "C:\\a"},
                      SplitCase{"\\\\?\\UNC\\srv\\share\\f.wav", "\\\\?\\UNC\\", "", "srv\\share", "f.wav",
                                "srv\\share\\f.wav", "\\\\?\\UNC\\srv\\share"},
                      SplitCase{"\\\\?\\C:\\x\\y", "\\\\?\\", "C:", "x", "y", "x\\y", "\\\\?\\C:\\x"},
                      SplitCase{"\\\\server\\s\\f", "\\\\", "", "server\\s", "f", "server\\s\\f",
                                "\\\\server\\s"},
                      SplitCase{"\\\\?x\\f", "", "", "?x", "f", "?x\\f", "?x"},
                      SplitCase{"C:\\b.tar.gz", "", "C:", "", "b.tar.gz", "b.tar.gz", "C:"},
                      SplitCase{"dir\\", "", "", "dir", "", "dir", "dir"},
                      SplitCase{"name", "", "", "", "name", "name", ""}));

TEST(ZipPathParts, TitleExtensionAndFullPath)
{
    CZipPathParts parts("C:\\save\\Temp\\a.wav");
    EXPECT_EQ(parts.GetTitle(), "a");
    EXPECT_EQ(parts.GetExtension(), "wav");
    EXPECT_EQ(parts.GetFullPath(), "C:\\save\\Temp\\a.wav");
    EXPECT_EQ(CZipPathParts("a.wav").GetFullPath(), "a.wav");
}

TEST(ZipFileHelpers, ForceDirectoryCreatesTheWholeChainOnlyWhenMissing)
{
    ScratchDir dir("zipforce");
    const auto deep = dir / "one" / "two" / "three";
    EXPECT_TRUE(zipfs::ForceDirectory(Win(deep) + "\\"));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    const auto stamp = std::filesystem::last_write_time(dir / "one");
    EXPECT_TRUE(zipfs::ForceDirectory(Win(dir / "one")));
    EXPECT_EQ(std::filesystem::last_write_time(dir / "one"), stamp);
    EXPECT_EQ(zipfs::FileExists(Win(deep)), -1);
    WriteBytes(dir / "file", "x");
    EXPECT_EQ(zipfs::FileExists(Win(dir / "file")), 1);
    EXPECT_EQ(zipfs::FileExists(Win(dir / "none")), 0);
    EXPECT_FALSE(zipfs::ForceDirectory(Win(dir / "file" / "below"))) << "a file is in the way";
    EXPECT_TRUE(zipfs::ForceDirectory("Z:\\"));
}

TEST(ZipConvert, DosTimesRoundTripToEvenSecondsAndClampOldYears)
{
    std::tm t{};
    t.tm_year = 2021 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 28;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 59;
    t.tm_isdst = -1;
    const std::time_t when = std::mktime(&t);
    uint16_t dosTime, dosDate;
    zipconv::TimeToDos(when, dosTime, dosDate);
    EXPECT_EQ(dosTime, 23 * 2048 + 59 * 32 + 29);
    EXPECT_EQ(dosDate, (2021 - 1980) * 512 + 3 * 32 + 28);
    EXPECT_EQ(zipconv::DosToTime(dosTime, dosDate), when - 1);

    std::tm old{};
    old.tm_year = 1975 - 1900;
    old.tm_mon = 5;
    old.tm_mday = 9;
    old.tm_isdst = -1;
    zipconv::TimeToDos(std::mktime(&old), dosTime, dosDate);
    EXPECT_EQ(dosDate >> 9, 0) << "years before 1980 have year field 0";
    EXPECT_EQ(dosDate & 0x1FF, 6 * 32 + 9);
}

TEST(ZipConvert, AttributesBetweenSystems)
{
    using zipconv::ConvertAttributes;
    EXPECT_EQ(ConvertAttributes(0x20, 0, 3), 0x81B40000u);
    EXPECT_EQ(ConvertAttributes(0x20, 0, 3) | 0x20, 0x81B40020u);
    EXPECT_EQ(ConvertAttributes(0x10, 0, 3) | 0x10, 0x41B40010u);
    EXPECT_EQ(ConvertAttributes(0x01, 0, 3), 0x81240000u) << "read-only loses the write bits";
    EXPECT_EQ(ConvertAttributes(0x02, 0, 3), 0x80900000u) << "hidden loses the read bits";
    EXPECT_EQ(ConvertAttributes(0100644u << 16, 3, 0), 0x20u);
    EXPECT_EQ(ConvertAttributes(0100755u << 16, 3, 0), 0x00u);
    EXPECT_EQ(ConvertAttributes(0100444u << 16, 3, 0), 0x21u);
    EXPECT_EQ(ConvertAttributes(0040755u << 16, 3, 0), 0x10u);
    EXPECT_EQ(ConvertAttributes(0x37, 0, 7), 0x11u);
    EXPECT_EQ(ConvertAttributes(0x37, 6, 10), 0x37u);
    EXPECT_EQ(ConvertAttributes(0x37, 12, 1), 0x37u) << "codes of 11 and above pass unchanged";
    EXPECT_EQ(ConvertAttributes(0x37, 5, 5), 0x37u);
    for (int system : {1, 2, 4, 5, 8, 9})
        EXPECT_EQ(ZipErrorOf([&] { ConvertAttributes(0x20, system, 0); }), ZipErrorPlatformNotSupported)
            << system;
}
