// The connectivity probe through a stand-in sockets layer: versions, lookups, clean-up.
#include "locator/ConnectionProbe.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/net/WinSock.h"

namespace {

struct ScriptedSockets : CSocketsLayer
{
    int startResult = 0;
    WORD granted = MAKEWORD(2, 2);
    bool resolves = true;

    WORD requested = 0;
    int starts = 0, lookups = 0, cleanups = 0;
    std::string lookedUp;
    HOSTENT entry;

    int Startup(WORD version, WSADATA* data) override
    {
        ++starts;
        requested = version;
        data->wVersion = granted;
        return startResult;
    }
    HOSTENT* LookUp(const char* name) override
    {
        ++lookups;
        lookedUp = name;
        return resolves ? &entry : nullptr;
    }
    int Cleanup() override { return ++cleanups, 0; }
};

struct Row
{
    const char* label;
    int startResult;
    WORD granted;
    bool resolves;
    bool connected;
    int lookups;
};

class ProbeTest : public ::testing::TestWithParam<Row>
{
};

} // namespace

TEST_P(ProbeTest, AsksForTwoTwoAndReleasesTheLayerOnce)
{
    const Row& row = GetParam();
    ScriptedSockets sockets;
    sockets.startResult = row.startResult;
    sockets.granted = row.granted;
    sockets.resolves = row.resolves;
    {
        CScopedSocketsLayer scoped(sockets);
        EXPECT_EQ(velmora::ProbeHost("www.example.test"), row.connected);
    }
    EXPECT_EQ(sockets.starts, 1);
    EXPECT_EQ(sockets.requested, 0x0202);
    EXPECT_EQ(sockets.lookups, row.lookups);
    if (row.lookups) {
        EXPECT_EQ(sockets.lookedUp, "www.example.test");
    }
    EXPECT_EQ(sockets.cleanups, 1);
}

INSTANTIATE_TEST_SUITE_P(Versions, ProbeTest,
                         ::testing::Values(Row{"resolved", 0, MAKEWORD(2, 2), true, true, 1},
                                           Row{"lookupFails", 0, MAKEWORD(2, 2), false, true, 1},
                                           Row{"grantsOneOne", 0, MAKEWORD(1, 1), true, false, 0},
                                           Row{"grantsTwoZero", 0, MAKEWORD(2, 0), true, false, 0},
                                           Row{"grantsTwoThree", 0, MAKEWORD(2, 3), true, false, 0},
                                           Row{"grantsThreeTwo", 0, MAKEWORD(3, 2), true, false, 0},
                                           Row{"startFails", WSAVERNOTSUPPORTED, MAKEWORD(2, 2), true, false,
                                               0}),
                         [](const auto& row) { return std::string(row.param.label); });

TEST(Probe, SystemLayerWithALoopbackNameIsConnected)
{
    EXPECT_TRUE(velmora::ProbeHost("127.0.0.1"));
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR); // nothing left started
}
