// The Windows registry through the layer: keys a test writes into the machine's two views and the user's
// hive are found and read as the program reads them (Windows build only: the keys are real).
#include <gtest/gtest.h>

#include <string>

#include "platform/registry/WinReg.h"

namespace {

// A key of this test's own below SOFTWARE, removed from both views when the test ends.
class WindowsRegistryViews : public ::testing::Test
{
protected:
    const std::string kKey = "SOFTWARE\\ZentrimoTests\\Velmora";

    void TearDown() override
    {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
            RegDeleteTreeViewed(HKEY_LOCAL_MACHINE, view);
        RegDeleteTreeViewed(HKEY_CURRENT_USER, 0);
    }

    static void RegDeleteTreeViewed(HKEY root, REGSAM view)
    {
        HKEY parent = nullptr;
        if (RegOpenKeyExA(root, "SOFTWARE", 0, KEY_ALL_ACCESS | view, &parent) == ERROR_SUCCESS) {
            RegDeleteTreeA(parent, "ZentrimoTests");
            RegCloseKey(parent);
        }
    }

    void WriteString(HKEY root, REGSAM view, const std::string& value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(root, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // What the program reads: open with KEY_READ and no view, query the value.
    std::string ReadInstallPath(HKEY root, LONG& status)
    {
        HKEY key = nullptr;
        status = RegOpenKeyEx(root, kKey.c_str(), 0, KEY_READ, &key);
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

TEST_F(WindowsRegistryViews, AKeyOnlyInThe32BitViewIsFound)
{
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "C:\\Program Files (x86)\\Velmora");
    LONG status = 0;
    EXPECT_EQ(ReadInstallPath(HKEY_LOCAL_MACHINE, status), "C:\\Program Files (x86)\\Velmora");
    EXPECT_EQ(status, ERROR_SUCCESS);
}

TEST_F(WindowsRegistryViews, TheNativeViewWinsWhenBothHoldTheKey)
{
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "C:\\Old32");
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, "C:\\Native");
    LONG status = 0;
    EXPECT_EQ(ReadInstallPath(HKEY_LOCAL_MACHINE, status), "C:\\Native");
}

TEST_F(WindowsRegistryViews, ANamedViewIsNotWidened)
{
    WriteString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "C:\\Only32");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kKey.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(WindowsRegistryViews, MissingKeysAndValuesAndShortBuffers)
{
    LONG status = 0;
    ReadInstallPath(HKEY_LOCAL_MACHINE, status);
    EXPECT_EQ(status, ERROR_FILE_NOT_FOUND) << "in neither view";

    WriteString(HKEY_CURRENT_USER, 0, "C:\\Users\\Velmora");
    EXPECT_EQ(ReadInstallPath(HKEY_CURRENT_USER, status), "C:\\Users\\Velmora");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    char small[4];
    DWORD size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, "InstallPath", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 17u) << "the size needed, terminator included";
    EXPECT_EQ(RegQueryValueEx(key, "NoSuchValue", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}
