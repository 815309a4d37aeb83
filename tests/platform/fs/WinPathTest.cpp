// Wine-style drive mapping: which host folder a Windows-form path names, and back.
#include "platform/fs/WinPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/ScratchPrefix.h"

namespace fs = std::filesystem;

TEST(WinPath, DriveCIsDriveCOfThePrefixAndZIsTheHostRoot)
{
    ScratchPrefix prefix;
    EXPECT_EQ(winpath::DriveRoot('C'), prefix.DriveC());
    EXPECT_EQ(winpath::DriveRoot('z'), fs::path("/"));
    EXPECT_TRUE(winpath::DriveRoot('Q').empty());
    EXPECT_TRUE(winpath::ToHost("Q:\\x").empty());
}

TEST(WinPath, DosdevicesLinksMapOtherLetters)
{
    ScratchPrefix prefix;
    const fs::path tools = prefix.MapDrive('e', "e-drive");
    fs::create_directories(tools / "Tools");
    EXPECT_EQ(winpath::ToHost("E:\\Tools\\Zentrimo.exe"),
              prefix.Root() / "dosdevices" / "e:" / "Tools" / "Zentrimo.exe");
    EXPECT_EQ(winpath::ToWindows(tools / "Tools" / "Zentrimo.exe"), "E:\\Tools\\Zentrimo.exe");
    EXPECT_EQ(winpath::ToWindows(tools), "E:\\");
}

TEST(WinPath, ExistingComponentsMatchIgnoringCaseAndMissingOnesStayAsWritten)
{
    ScratchPrefix prefix;
    fs::create_directories(prefix.DriveC() / "Program Files" / "Velmora");
    EXPECT_EQ(winpath::ToHost("c:\\PROGRAM FILES\\velmora\\New Folder\\x.wav"),
              prefix.DriveC() / "Program Files" / "Velmora" / "New Folder" / "x.wav");
}

TEST(WinPath, DoubledSeparatorsDotsAndForwardSlashesAreTolerated)
{
    ScratchPrefix prefix;
    fs::create_directories(prefix.DriveC() / "A" / "B");
    EXPECT_EQ(winpath::ToHost("C:\\A\\\\B\\"), prefix.DriveC() / "A" / "B");
    EXPECT_EQ(winpath::ToHost("C:/A/./B/../B"), prefix.DriveC() / "A" / "B");
    EXPECT_EQ(winpath::ToHost("C:\\..\\..\\A"), prefix.DriveC() / "A");
    EXPECT_TRUE(winpath::ToHost("\\\\server\\share").empty());
}

TEST(WinPath, HostPathsOutsideEveryDriveFolderAreOnZ)
{
    ScratchPrefix prefix;
    EXPECT_EQ(winpath::ToWindows("/usr/local/bin/Zentrimo"), "Z:\\usr\\local\\bin\\Zentrimo");
    EXPECT_EQ(winpath::ToWindows("/"), "Z:\\");
    EXPECT_EQ(winpath::ToWindows(prefix.DriveC() / "Windows"), "C:\\Windows");
}
