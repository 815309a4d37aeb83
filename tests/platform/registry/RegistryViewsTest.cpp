// The machine's two views through the layer: keys a test writes into the native and the 32-bit view and
// the user's hive are found and read as the program reads them. On Windows the keys are real; on Linux
// they are sections of a scratch prefix's hives, the 32-bit view below Software\Wow6432Node as Wine
// keeps it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/registry/WinReg.h"
#include "tests/support/strict/WindowsUser.h"

#ifdef _WIN32
#include <windows.h>
#include <sddl.h>
#else
#include <filesystem>
#include <fstream>

#include "tests/support/ScratchPrefix.h"
#endif

namespace {

const char* const kKey = "SOFTWARE\\ZentrimoTests\\Velmora";

class RegistryViews : public ::testing::Test
{
protected:
#ifdef _WIN32
    void TearDown() override
    {
        strict::ElevatedScope installer;
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
                // The owner may always rewrite the key's permissions; then it can be removed.
                SetPermissions(root, view, "D:(A;;KA;;;WD)");
                HKEY parent = nullptr;
                if (RegOpenKeyExA(root, "SOFTWARE", 0, KEY_ALL_ACCESS | view, &parent) == ERROR_SUCCESS) {
                    RegDeleteTreeA(parent, "ZentrimoTests");
                    RegCloseKey(parent);
                }
            }
    }

    // As an installer writes the machine's keys: elevated.
    void WriteString(HKEY root, REGSAM view, const std::string& value)
    {
        strict::ElevatedScope installer;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, kKey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // As HKEY_LOCAL_MACHINE\SOFTWARE is for a standard user: reading only.
    void MakeReadOnly(HKEY root, REGSAM view)
    {
        SetPermissions(root, view, "D:P(A;;KR;;;WD)");
    }

    static void SetPermissions(HKEY root, REGSAM view, const char* descriptor)
    {
        strict::ElevatedScope installer;
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, kKey, 0, WRITE_DAC | view, &key) != ERROR_SUCCESS)
            return;
        PSECURITY_DESCRIPTOR security = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptor, SDDL_REVISION_1, &security,
                                                                 nullptr)) {
            EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security), ERROR_SUCCESS);
            LocalFree(security);
        }
        RegCloseKey(key);
    }
#else
    void WriteString(HKEY root, REGSAM view, const std::string& value)
    {
        const bool machine = root == HKEY_LOCAL_MACHINE;
        std::string& text = m_hives[machine ? "system.reg" : "user.reg"];
        if (text.empty())
            text = "WINE REGISTRY Version 2\n";
        text += std::string("[Software\\\\") + (machine && view == KEY_WOW64_32KEY ? "Wow6432Node\\\\" : "") +
                "ZentrimoTests\\\\Velmora] 1700000000\n\"InstallPath\"=\"";
        for (char c : value)
            text += c == '\\' ? std::string("\\\\") : std::string(1, c);
        text += "\"\n";
        std::ofstream(m_prefix.Root() / (machine ? "system.reg" : "user.reg")) << text;
    }

    // Wine's hives refuse changes as a whole: a hive file that cannot be written.
    void MakeReadOnly(HKEY root, REGSAM /*view*/)
    {
        std::filesystem::permissions(m_prefix.Root() /
                                         (root == HKEY_LOCAL_MACHINE ? "system.reg" : "user.reg"),
                                     std::filesystem::perms::owner_read);
    }

    ScratchPrefix m_prefix;
    std::map<std::string, std::string> m_hives;
#endif

    // What the program reads: open with the given rights and no view, query the value.
    std::string ReadInstallPath(HKEY root, LONG& status, REGSAM desired = KEY_READ)
    {
        HKEY key = nullptr;
        status = RegOpenKeyEx(root, kKey, 0, desired, &key);
        if (status != ERROR_SUCCESS)
            return {};
        char buffer[260] = {};
        DWORD size = sizeof buffer;
        DWORD type = 0;
        status = RegQueryValueEx(key, "InstallPath", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        return buffer;
    }
};

} // namespace

TEST_F(RegistryViews, AKeyOnlyInThe32BitViewIsFound)
{
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "C:\\Program Files (x86)\\Velmora");
    LONG status = 0;
    EXPECT_EQ(ReadInstallPath(HKEY_LOCAL_MACHINE, status), "C:\\Program Files (x86)\\Velmora");
    EXPECT_EQ(status, ERROR_SUCCESS);
}

TEST_F(RegistryViews, TheNativeViewWinsWhenBothHoldTheKey)
{
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "C:\\Old32");
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, "C:\\Native");
    LONG status = 0;
    EXPECT_EQ(ReadInstallPath(HKEY_LOCAL_MACHINE, status), "C:\\Native");
}

TEST_F(RegistryViews, ANamedViewIsNotWidened)
{
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "C:\\Only32");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | KEY_WOW64_64KEY, &key),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | KEY_WOW64_32KEY, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

// A standard user reads the 32-bit entry; asking for more than reading is refused, not "missing".
TEST_F(RegistryViews, AReadOnlyKeyOpensForReadingOnly)
{
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "C:\\Only32");
    MakeReadOnly(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY);
    LONG status = 0;
    EXPECT_EQ(ReadInstallPath(HKEY_LOCAL_MACHINE, status), "C:\\Only32");
    for (REGSAM desired : {REGSAM{KEY_ALL_ACCESS}, REGSAM{KEY_SET_VALUE}, REGSAM{KEY_WRITE}}) {
        EXPECT_EQ(ReadInstallPath(HKEY_LOCAL_MACHINE, status, desired), "") << desired;
        EXPECT_EQ(status, ERROR_ACCESS_DENIED) << desired;
    }
}

TEST_F(RegistryViews, MissingKeysAndValuesAndShortBuffers)
{
    LONG status = 0;
    ReadInstallPath(HKEY_LOCAL_MACHINE, status);
    EXPECT_EQ(status, ERROR_FILE_NOT_FOUND) << "in neither view";

    WriteString(HKEY_CURRENT_USER, 0, "C:\\Users\\Velmora");
    EXPECT_EQ(ReadInstallPath(HKEY_CURRENT_USER, status), "C:\\Users\\Velmora");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    char small[4];
    DWORD size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, "InstallPath", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 17u) << "the size needed, terminator included";
    EXPECT_EQ(RegQueryValueEx(key, "NoSuchValue", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

#ifdef _WIN32
// Only Windows refuses one view and not the other: a native key the user may not read gives way to
// the 32-bit one as a missing key does.
TEST_F(RegistryViews, WindowsRefusedNativeKeyGivesWayToThe32BitView)
{
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, "C:\\Native");
    SetPermissions(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, "D:P");
    LONG status = 0;
    EXPECT_EQ(ReadInstallPath(HKEY_LOCAL_MACHINE, status), "");
    EXPECT_EQ(status, ERROR_ACCESS_DENIED) << "refused, and no 32-bit key to fall back on";

    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "C:\\Only32");
    EXPECT_EQ(ReadInstallPath(HKEY_LOCAL_MACHINE, status), "C:\\Only32");
    EXPECT_EQ(status, ERROR_SUCCESS);
}
#endif
