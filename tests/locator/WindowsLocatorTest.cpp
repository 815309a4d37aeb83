// Finding Velmora on Windows: the registry entry a 32-bit installer wrote, and the search of a folder
// (Windows build only: the entry is written into the registry of the prefix the test runs in).
#include "locator/VelmoraSearch.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/fs/WinPath.h"
#include "platform/registry/WinReg.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/strict/WindowsUser.h"

namespace {

class WindowsLocator : public ::testing::Test
{
protected:
    void TearDown() override
    {
        strict::ElevatedScope installer;
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            // The owner may always rewrite the key's permissions; then it can be removed.
            HKEY entry = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, velmora::kConfigurationKey, 0, WRITE_DAC | view, &entry) ==
                ERROR_SUCCESS) {
                SetPermissions(entry, "D:(A;;KA;;;WD)");
                RegCloseKey(entry);
            }
            HKEY software = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS | view, &software) ==
                ERROR_SUCCESS) {
                RegDeleteTreeA(software, "Olvastine");
                RegCloseKey(software);
            }
        }
    }

    // The entry as a 32-bit installer leaves it: in the 32-bit view only. permissions (a security
    // descriptor string) replace the key's own when given.
    void WriteInstallPathAs32BitInstaller(const std::string& value, const char* permissions = nullptr)
    {
        strict::ElevatedScope installer;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, velmora::kConfigurationKey, 0, nullptr, 0,
                                  KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, velmora::kConfigurationValue, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
        if (permissions)
            SetPermissions(key, permissions);
        RegCloseKey(key);
    }

    static void SetPermissions(HKEY key, const char* descriptor)
    {
        PSECURITY_DESCRIPTOR security = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                                         &security, nullptr));
        EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security), ERROR_SUCCESS);
        LocalFree(security);
    }

    static void Touch(const std::filesystem::path& path)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << "MZ";
    }

    ScratchDir dir{"winlocator"};
};

} // namespace

TEST_F(WindowsLocator, TheEntryOfA32BitInstallerIsFound)
{
    std::filesystem::create_directories(dir / "Velmora Place");
    const std::string folder = winpath::ToWindows(dir / "Velmora Place");
    WriteInstallPathAs32BitInstaller(folder);
    EXPECT_EQ(velmora::LocateFolder(), folder);
}

// What a standard user gets on HKEY_LOCAL_MACHINE\SOFTWARE: reading, nothing more. The key's own
// permissions say so here, which Wine enforces for any user, elevated runs included.
TEST_F(WindowsLocator, TheEntryOfA32BitInstallerIsFoundByAStandardUser)
{
    std::filesystem::create_directories(dir / "Velmora Place");
    const std::string folder = winpath::ToWindows(dir / "Velmora Place");
    WriteInstallPathAs32BitInstaller(folder, "D:P(A;;KR;;;WD)");
    EXPECT_EQ(velmora::LocateFolder(), folder);
}

TEST_F(WindowsLocator, SearchComparesTheExecutableNameExactly)
{
    Touch(dir / "A" / "Velmora" / "velmora.exe");
    Touch(dir / "B" / "Velmora" / "Velmora.exe");
    const std::string root = winpath::ToWindows(dir.Path());
    EXPECT_EQ(velmora::SearchFolder(root), root + "\\B\\Velmora");
    EXPECT_EQ(velmora::SearchFolder(root + "\\A"), "") << "the file system ignores case, the search does not";
}
