// The command line: subcommands, options and the refusals a user sees.
#include "server/CServiceOptions.h"

#include <gtest/gtest.h>

namespace {

struct ListenCase
{
    const char* text;
    bool ok;
    std::string host;
    int port;
};

void PrintTo(const ListenCase& c, std::ostream* os)
{
    *os << c.text;
}

class ListenTest : public testing::TestWithParam<ListenCase>
{
};

TEST_P(ListenTest, SplitsHostAndPort)
{
    const ListenCase& c = GetParam();
    std::string host;
    int port = -1;
    ASSERT_EQ(CServiceOptions::SplitListen(c.text, host, port), c.ok) << c.text;
    if (c.ok) {
        EXPECT_EQ(host, c.host) << c.text;
        EXPECT_EQ(port, c.port) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, ListenTest,
    testing::Values(ListenCase{"127.0.0.1:0", true, "127.0.0.1", 0},
                    ListenCase{"localhost:8642", true, "localhost", 8642},
                    ListenCase{"[::1]:65535", true, "::1", 65535}, ListenCase{"127.0.0.1", false, "", 0},
                    ListenCase{":80", false, "", 0}, ListenCase{"127.0.0.1:65536", false, "", 0},
                    ListenCase{"127.0.0.1:-1", false, "", 0}, ListenCase{"127.0.0.1:8x", false, "", 0},
                    ListenCase{"::1:80", false, "", 0}, ListenCase{"[::1]80", false, "", 0}));

TEST(OptionsTest, ServeIsTheDefaultCommandWithItsDefaults)
{
    CServiceOptions options;
    std::string error;
    ASSERT_TRUE(options.Parse({}, error)) << error;
    EXPECT_EQ(options.command, CServiceOptions::Command::Serve);
    EXPECT_EQ(options.listenHost, "127.0.0.1");
    EXPECT_EQ(options.listenPort, 8642);
}

TEST(OptionsTest, PublishTakesNameAndFilesInOrder)
{
    CServiceOptions options;
    std::string error;
    ASSERT_TRUE(options.Parse({"publish", "--catalog", "c", "Anne Marie", "a.wav", "b.wav"}, error)) << error;
    EXPECT_EQ(options.command, CServiceOptions::Command::Publish);
    EXPECT_EQ(options.catalog, "c");
    EXPECT_EQ(options.positional, (std::vector<std::string>{"Anne Marie", "a.wav", "b.wav"}));
}

struct RefusalCase
{
    const char* label;
    std::vector<std::string> args;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.label;
}

class OptionsRefusalTest : public testing::TestWithParam<RefusalCase>
{
};

TEST_P(OptionsRefusalTest, RefusesWithAMessage)
{
    CServiceOptions options;
    std::string error;
    EXPECT_FALSE(options.Parse(GetParam().args, error)) << GetParam().label;
    EXPECT_FALSE(error.empty()) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(Refusals, OptionsRefusalTest,
                         testing::Values(RefusalCase{"unknown command", {"frobnicate"}},
                                         RefusalCase{"unknown option", {"--verbose"}},
                                         RefusalCase{"option without value", {"--catalog"}},
                                         RefusalCase{"bad listen address", {"--listen", "nowhere"}},
                                         RefusalCase{"zero threads", {"--threads", "0"}},
                                         RefusalCase{"publish without files",
                                                     {"publish", "--catalog", "c", "Anna"}},
                                         RefusalCase{"stray argument to serve", {"Anna"}},
                                         RefusalCase{"negative count", {"sample", "--count", "-3"}}));

TEST(OptionsTest, HelpWinsOverEverythingElse)
{
    CServiceOptions options;
    std::string error;
    ASSERT_TRUE(options.Parse({"publish", "--help"}, error)) << error;
    EXPECT_EQ(options.command, CServiceOptions::Command::Help);
    EXPECT_NE(CServiceOptions::Usage().find("zentrimo-service publish --catalog DIR NAME FILE.wav..."),
              std::string::npos);
}

} // namespace
