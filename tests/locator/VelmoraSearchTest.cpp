// Finding Velmora in a scratch Wine prefix: configuration entry, default location, search rules.
#include "locator/VelmoraSearch.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <fstream>
#include <string>

#include "platform/fs/CFileFind.h"
#include "tests/support/ScratchPrefix.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << "MZ";
}

// Which of two entries of folder readdir returns first.
std::string ListedFirst(const fs::path& folder, const std::string& a, const std::string& b)
{
    std::string first;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name == a || entry->d_name == b) {
            first = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return first;
}

class LocatorTest : public ::testing::Test
{
protected:
    void WriteInstallPath(const std::string& escapedValue)
    {
        std::ofstream(prefix.Root() / "system.reg") << "WINE REGISTRY Version 2\n"
                                                    << "[Software\\\\Olvastine\\\\Velmora] 1700000000\n"
                                                    << "\"InstallPath\"=\"" << escapedValue << "\"\n";
    }
    fs::path C() const { return prefix.DriveC(); }

    ScratchPrefix prefix;
};

} // namespace

TEST_F(LocatorTest, ConfigurationEntryNamingAnExistingFolderWinsWithoutTheExecutable)
{
    fs::create_directories(C() / "Custom" / "Place");
    Touch(C() / "Program Files" / "Velmora" / "Velmora.exe");
    WriteInstallPath("c:\\\\custom\\\\PLACE");
    EXPECT_EQ(velmora::LocateFolder(), "c:\\custom\\PLACE"); // the stored text, unchanged
}

TEST_F(LocatorTest, ConfigurationEntryNamingNothingFallsBackToTheDefault)
{
    Touch(C() / "Program Files" / "Velmora" / "Velmora.exe");
    Touch(C() / "Apps" / "Velmora" / "Velmora.exe");
    WriteInstallPath("C:\\\\Gone\\\\Velmora");
    EXPECT_EQ(velmora::LocateFolder(), "C:\\Program Files\\Velmora");
}

// A standard user may read the machine's keys but not change them, as a read-only system.reg refuses
// every right beyond reading: the entry still decides, not the search.
TEST_F(LocatorTest, EntryIsReadWhereFullAccessToTheMachineKeyIsRefused)
{
    fs::create_directories(C() / "Custom");
    Touch(C() / "Apps" / "Velmora" / "Velmora.exe");
    WriteInstallPath("C:\\\\Custom");
    fs::permissions(prefix.Root() / "system.reg", fs::perms::owner_read);
    EXPECT_EQ(velmora::LocateFolder(), "C:\\Custom");
}

// Wine keeps a 32-bit installer's machine keys below Software\Wow6432Node.
TEST_F(LocatorTest, EntryOfA32BitInstallerIsFound)
{
    fs::create_directories(C() / "Program Files (x86)" / "Velmora");
    Touch(C() / "Apps" / "Velmora" / "Velmora.exe");
    std::ofstream(prefix.Root() / "system.reg")
        << "WINE REGISTRY Version 2\n"
        << "[Software\\\\Wow6432Node\\\\Olvastine\\\\Velmora] 1700000000\n"
        << "\"InstallPath\"=\"C:\\\\Program Files (x86)\\\\Velmora\"\n";
    fs::permissions(prefix.Root() / "system.reg", fs::perms::owner_read);
    EXPECT_EQ(velmora::LocateFolder(), "C:\\Program Files (x86)\\Velmora");
}

// An uninstaller's leftover: the native view keeps the key without the value, and the 32-bit view's
// entry was never read.
TEST_F(LocatorTest, EmptyNativeKeyDoesNotHideTheEntryOfA32BitInstaller)
{
    fs::create_directories(C() / "Program Files (x86)" / "Velmora");
    Touch(C() / "Apps" / "Velmora" / "Velmora.exe");
    std::ofstream(prefix.Root() / "system.reg")
        << "WINE REGISTRY Version 2\n"
        << "[Software\\\\Olvastine\\\\Velmora] 1700000000\n"
        << "\n"
        << "[Software\\\\Wow6432Node\\\\Olvastine\\\\Velmora] 1700000000\n"
        << "\"InstallPath\"=\"C:\\\\Program Files (x86)\\\\Velmora\"\n";
    EXPECT_EQ(velmora::LocateFolder(), "C:\\Program Files (x86)\\Velmora");
}

TEST_F(LocatorTest, SearchFindsTheFirstCopyInListingOrder)
{
    Touch(C() / "Apps" / "Velmora" / "Velmora.exe");
    Touch(C() / "Apps2" / "Velmora" / "Velmora.exe");
    const std::string first = ListedFirst(C(), "Apps", "Apps2");
    EXPECT_EQ(velmora::LocateFolder(), "C:\\" + first + "\\Velmora");
    EXPECT_EQ(velmora::SearchFolder("C:\\Apps2"), "C:\\Apps2\\Velmora");
}

TEST_F(LocatorTest, SearchComparesNamesExactlyAndLooksOnlyAtTheGivenDrive)
{
    Touch(C() / "Apps" / "Velmora" / "velmora.exe");
    Touch(C() / "Apps" / "Other" / "Velmora.EXE");
    Touch(C() / "Apps" / "Other" / "Velmora.exe.bak");
    const fs::path d = prefix.MapDrive('d', "d-drive");
    Touch(d / "Velmora" / "Velmora.exe");
    EXPECT_EQ(velmora::LocateFolder(), "");
    EXPECT_EQ(velmora::SearchFolder("D:"), "D:\\Velmora");
}

TEST_F(LocatorTest, AFolderIsSearchedBeforeItsOwnNameCounts)
{
    // A folder named like the executable is a hit only after its contents have been searched.
    Touch(C() / "Odd" / "Velmora.exe" / "Inner" / "Velmora.exe");
    EXPECT_EQ(velmora::SearchFolder("C:"), "C:\\Odd\\Velmora.exe\\Inner");
    fs::remove_all(C() / "Odd" / "Velmora.exe" / "Inner");
    EXPECT_EQ(velmora::SearchFolder("C:"), "C:\\Odd");
}

TEST_F(LocatorTest, LinkCyclesEndTheSearch)
{
    fs::create_directories(C() / "Loop" / "Deeper");
    fs::create_directory_symlink(C(), C() / "Loop" / "ToDrive");
    fs::create_directory_symlink(C() / "Loop", C() / "Loop" / "Deeper" / "Back");
    fs::create_directory_symlink(C() / "Loop" / "Deeper", C() / "Loop" / "Deeper" / "Self");
    EXPECT_EQ(velmora::SearchFolder("C:"), "");

    Touch(C() / "Zed" / "Velmora" / "Velmora.exe");
    const std::string found = velmora::SearchFolder("C:");
    // Reached directly or through the link to the drive, but found, and only once past the loop.
    EXPECT_TRUE(found == "C:\\Zed\\Velmora" || found == "C:\\Loop\\ToDrive\\Zed\\Velmora") << found;
}

TEST_F(LocatorTest, NamesFolderAndBrowseChecksUseTheBoxText)
{
    Touch(C() / "Apps" / "Velmora" / "Velmora.exe");
    fs::create_directories(C() / "Apps" / "Velmora" / "Speakers" / "Ysmerel" / "Names");
    const std::string box = velmora::WithTrailingBackslash("C:\\Apps\\Velmora");
    EXPECT_EQ(box, "C:\\Apps\\Velmora\\");
    EXPECT_EQ(velmora::WithTrailingBackslash(box), box);
    EXPECT_EQ(velmora::WithTrailingBackslash(""), "");
    EXPECT_EQ(velmora::NamesFolder(box), "C:\\Apps\\Velmora\\\\Speakers\\Ysmerel\\Names");
    EXPECT_EQ(velmora::NamesFolder("C:\\Apps\\Velmora"), "C:\\Apps\\Velmora\\Speakers\\Ysmerel\\Names");
    EXPECT_TRUE(velmora::HoldsExecutable(box));
    EXPECT_FALSE(velmora::HoldsExecutable("C:\\Apps\\"));
}

// Runs the searches in a child that has given up the right to read every folder, so that a folder
// without read permission is unreadable also when the tests run as root.
TEST_F(LocatorTest, UnreadableFoldersCountAsEmpty)
{
    Touch(C() / "Locked" / "Velmora" / "Velmora.exe");
    Touch(C() / "Open" / "Velmora" / "Velmora.exe");
    fs::permissions(C() / "Locked", fs::perms::none);
    auto search = [&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2] = {};
        syscall(SYS_capget, &header, data);
        data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        if (syscall(SYS_capset, &header, data) != 0)
            _exit(3);
        if (velmora::SearchFolder("C:") != "C:\\Open\\Velmora")
            _exit(1);
        fs::remove_all(C() / "Open");
        _exit(velmora::SearchFolder("C:").empty() ? 0 : 2);
    };
    EXPECT_EXIT(search(), ::testing::ExitedWithCode(0), "");
}

// The search stays on its drive: no descent into the kernel's pseudo file systems, nor back up
// through a link to the drive's root or to a folder that holds it; other links are followed.
class DriveSearchBoundsTest : public LocatorTest
{
protected:
    ScratchDir elsewhere{"elsewhere"};
};

TEST_F(DriveSearchBoundsTest, DriveSearchSkipsPseudoFileSystems)
{
    // An open folder shows up in /proc/self/fd as a link to that folder.
    Touch(elsewhere.Path() / "Velmora" / "Velmora.exe");
    DIR* open = opendir((elsewhere.Path() / "Velmora").c_str());
    ASSERT_NE(open, nullptr);
    fs::create_directory_symlink("/proc/self/fd", C() / "ProcLink");
    const std::string found = velmora::SearchFolder("C:");
    closedir(open);
    EXPECT_EQ(found, "");
}

TEST_F(DriveSearchBoundsTest, DriveSearchDoesNotClimbThroughALinkToThePrefix)
{
    Touch(prefix.Root() / "Other" / "Velmora" / "Velmora.exe");
    fs::create_directory_symlink(prefix.Root(), C() / "PrefixLink");
    EXPECT_EQ(velmora::SearchFolder("C:"), "");
    EXPECT_EQ(velmora::LocateFolder(), "");
}

TEST_F(DriveSearchBoundsTest, DriveSearchDoesNotClimbThroughALinkToTheHostRoot)
{
    Touch(elsewhere.Path() / "drive_c" / "Program Files" / "Velmora" / "Velmora.exe");
    fs::create_directory_symlink("/", C() / "RootLink");
    EXPECT_EQ(velmora::SearchFolder("C:"), "");
}

TEST_F(DriveSearchBoundsTest, LinksIntoTheHomeFolderAreStillFollowed)
{
    // As Wine links the user's Documents to the one in the home folder.
    Touch(elsewhere.Path() / "Documents" / "Velmora" / "Velmora.exe");
    fs::create_directories(C() / "users" / "me");
    fs::create_directory_symlink(elsewhere.Path() / "Documents", C() / "users" / "me" / "Documents");
    EXPECT_EQ(velmora::SearchFolder("C:"), "C:\\users\\me\\Documents\\Velmora");
    EXPECT_EQ(velmora::LocateFolder(), "C:\\users\\me\\Documents\\Velmora");
}

TEST_F(DriveSearchBoundsTest, HostFoldersAreToldApartByTheirFileSystem)
{
    // Is /dev a devtmpfs mount here (some containers mount a plain tmpfs there)?
    bool devIsDevtmpfs = false;
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);)
        if (line.find(" /dev ") != std::string::npos && line.find(" - devtmpfs ") != std::string::npos)
            devIsDevtmpfs = true;

    std::map<std::string, bool> pseudo;
    CFileFind finder;
    for (bool more = finder.FindFile("Z:\\*.*"); more;) {
        more = finder.FindNextFile();
        pseudo[finder.GetFileName()] = finder.LeadsOffDrive();
    }
    EXPECT_TRUE(pseudo["proc"]);
    EXPECT_TRUE(pseudo["sys"]);
    EXPECT_EQ(pseudo["dev"], devIsDevtmpfs);
    EXPECT_FALSE(pseudo["usr"]);
    EXPECT_FALSE(pseudo["tmp"]);
    EXPECT_FALSE(pseudo["etc"]);
}
