// The configuration store calls over a scratch Wine prefix's system.reg and user.reg.
#include "platform/registry/WinReg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/ScratchPrefix.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class WinRegTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteFile(prefix.Root() / "system.reg", "WINE REGISTRY Version 2\n"
                                                "[Software\\\\Olvastine\\\\Velmora] 1700000000\n"
                                                "\"InstallPath\"=\"C:\\\\Apps\\\\Velmora\"\n");
        WriteFile(prefix.Root() / "user.reg",
                  "WINE REGISTRY Version 2\n"
                  "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Internet Settings] 1700000000\n"
                  "\"ProxyEnable\"=dword:00000001\n"
                  "\"ProxyServer\"=\"127.0.0.1:3128\"\n");
    }

    ScratchPrefix prefix;
};

} // namespace

TEST_F(WinRegTest, ReadsAStringValueOfTheMachineHive)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Olvastine\\Velmora", 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    char buffer[1000] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueEx(key, "InstallPath", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_STREQ(buffer, "C:\\Apps\\Velmora");
    EXPECT_EQ(size, sizeof "C:\\Apps\\Velmora");
    EXPECT_EQ(RegQueryValueEx(key, "Missing", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(WinRegTest, ReadsTheUserHiveProxySettings)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", 0,
                           KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    DWORD enable = 0, size = sizeof enable, type = 0;
    EXPECT_EQ(RegQueryValueEx(key, "ProxyEnable", nullptr, &type, reinterpret_cast<BYTE*>(&enable), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(enable, 1u);
    char server[64] = {};
    size = sizeof server;
    EXPECT_EQ(RegQueryValueEx(key, "proxyserver", nullptr, nullptr, reinterpret_cast<BYTE*>(server), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(server, "127.0.0.1:3128");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // The machine hive knows nothing of the user's keys.
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Microsoft", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
}

TEST_F(WinRegTest, SmallBufferGetsMoreDataAndIsLeftAlone)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Olvastine\\Velmora", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "InstallPath", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 16u);
    char small[4] = {'x', 'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, "InstallPath", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(std::string(small, 4), "xxxx");
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueEx(key, "InstallPath", &reserved, nullptr, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(WinRegTest, FullAccessIsRefusedWhenTheHiveFileIsReadOnly)
{
    fs::permissions(prefix.Root() / "system.reg",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Olvastine\\Velmora", 0, KEY_ALL_ACCESS, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Olvastine\\Velmora", 0, KEY_SET_VALUE, &key),
              ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Olvastine\\Velmora", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(WinRegTest, SubKeysOpenBelowAnOpenKeyAndMissingOnesFail)
{
    HKEY software = nullptr, velmora = nullptr, missing = reinterpret_cast<HKEY>(1);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "software", 0, KEY_READ, &software), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyEx(software, "OLVASTINE\\velmora", 0, KEY_READ, &velmora), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(velmora, "InstallPath", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(software, "Olvastine\\Nothing", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(RegCloseKey(velmora), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(software), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(software, "Olvastine", 0, KEY_READ, &velmora), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_INVALID_HANDLE);
}

TEST_F(WinRegTest, MissingHiveFileMeansNoKeys)
{
    fs::remove(prefix.Root() / "system.reg");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Olvastine\\Velmora", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, nullptr, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
}
