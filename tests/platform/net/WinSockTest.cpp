// The system's sockets layer: version grants, lookups of loopback names, balanced clean-up.
#include "platform/net/WinSock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(WinSock, GrantsTheRequestedVersionUpToTwoTwo)
{
    struct Row
    {
        WORD requested;
        int result;
        WORD granted;
    };
    const Row rows[] = {
        {MAKEWORD(2, 2), 0, MAKEWORD(2, 2)}, {MAKEWORD(1, 1), 0, MAKEWORD(1, 1)},
        {MAKEWORD(2, 0), 0, MAKEWORD(2, 0)}, {MAKEWORD(3, 0), 0, MAKEWORD(2, 2)},
        {MAKEWORD(2, 5), 0, MAKEWORD(2, 2)}, {MAKEWORD(0, 9), WSAVERNOTSUPPORTED, 0},
    };
    for (const Row& row : rows) {
        WSADATA data;
        EXPECT_EQ(WSAStartup(row.requested, &data), row.result) << std::hex << row.requested;
        if (row.result == 0) {
            EXPECT_EQ(data.wVersion, row.granted) << std::hex << row.requested;
            EXPECT_EQ(data.wHighVersion, MAKEWORD(2, 2));
            EXPECT_EQ(WSACleanup(), 0);
        }
    }
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
}

TEST(WinSock, LooksUpLoopbackNamesOnlyWhileStarted)
{
    EXPECT_EQ(gethostbyname("localhost"), nullptr);
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    const HOSTENT* host = gethostbyname("127.0.0.1");
    ASSERT_NE(host, nullptr);
    ASSERT_NE(host->h_addr_list[0], nullptr);
    EXPECT_EQ(host->h_length, 4);
    EXPECT_EQ(std::memcmp(host->h_addr_list[0], "\x7f\x00\x00\x01", 4), 0);
    EXPECT_EQ(host->h_addr_list[1], nullptr);
    EXPECT_NE(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(gethostbyname("127.0.0.1"), nullptr);
}

TEST(WinSock, AnInstalledStandInAnswersInsteadOfTheSystem)
{
    struct StandIn : CSocketsLayer
    {
        int Startup(WORD, WSADATA* data) override
        {
            data->wVersion = MAKEWORD(1, 1);
            return 0;
        }
        HOSTENT* LookUp(const char* name) override
        {
            looked = name;
            return nullptr;
        }
        int Cleanup() override { return ++cleanups, 0; }
        std::string looked;
        int cleanups = 0;
    } standIn;
    {
        CScopedSocketsLayer scoped(standIn);
        WSADATA data;
        EXPECT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
        EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
        EXPECT_EQ(gethostbyname("127.0.0.1"), nullptr);
        EXPECT_EQ(WSACleanup(), 0);
    }
    EXPECT_EQ(standIn.looked, "127.0.0.1");
    EXPECT_EQ(standIn.cleanups, 1);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR); // the system's layer again, never started
}
