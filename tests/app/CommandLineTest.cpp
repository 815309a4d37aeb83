// The command line: defaults, each option, and refusals.
#include <gtest/gtest.h>

#include <vector>

#include "app/AppOptions.h"
#include "app/CMainDlg.h"

namespace {

bool Parse(std::vector<const char*> args, AppOptions& options, std::string& error)
{
    args.insert(args.begin(), "Zentrimo");
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(CommandLine, DefaultsWhenNothingIsGiven)
{
    AppOptions options;
    std::string error;
    ASSERT_TRUE(Parse({}, options, error));
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.serviceHost, "127.0.0.1:8642");
    EXPECT_EQ(options.probeHost, kDefaultProbeHost);
    EXPECT_EQ(options.screenshotFile, "");
}

TEST(CommandLine, EachOptionTakesItsValue)
{
    AppOptions options;
    std::string error;
    ASSERT_TRUE(Parse(
        {"--service-host", "[::1]:9000", "--probe-host", "localhost", "--screenshot", "/tmp/a.png", "--help"},
        options, error))
        << error;
    EXPECT_TRUE(options.help);
    EXPECT_EQ(options.serviceHost, "[::1]:9000");
    EXPECT_EQ(options.probeHost, "localhost");
    EXPECT_EQ(options.screenshotFile, "/tmp/a.png");
}

struct BadLine
{
    std::vector<const char*> args;
};

class CommandLineRefuses : public testing::TestWithParam<BadLine>
{
};

TEST_P(CommandLineRefuses, WithAReason)
{
    AppOptions options;
    std::string error;
    EXPECT_FALSE(Parse(GetParam().args, options, error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineRefuses,
    testing::Values(BadLine{{"--bogus"}}, BadLine{{"--service-host"}}, BadLine{{"--probe-host", ""}},
                    BadLine{{"--service-host", "host:0"}}, BadLine{{"--service-host", "host:70000"}},
                    BadLine{{"--service-host", "host:8x"}}, BadLine{{"--service-host", "::1"}},
                    BadLine{{"--service-host", "[::1"}}, BadLine{{"--service-host", ":80"}}));

struct HostCase
{
    const char* text;
    const char* host;
    unsigned port;
};

class HostSplit : public testing::TestWithParam<HostCase>
{
};

TEST_P(HostSplit, GivesHostAndPort)
{
    const HostCase c = GetParam();
    std::string host;
    unsigned port = 99;
    ASSERT_TRUE(SplitHostPort(c.text, host, port));
    EXPECT_EQ(host, c.host);
    EXPECT_EQ(port, c.port);
    AppOptions options;
    options.serviceHost = c.text;
    CMainDlg dlg(options);
    EXPECT_EQ(dlg.ServiceHost(), c.host);
    EXPECT_EQ(dlg.ServicePort(), c.port);
    EXPECT_EQ(dlg.ServiceHostAndPort(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostSplit,
                         testing::Values(HostCase{"127.0.0.1:8642", "127.0.0.1", 8642},
                                         HostCase{"service.example", "service.example", 0},
                                         HostCase{"[::1]:8080", "::1", 8080}, HostCase{"[::1]", "::1", 0}));

TEST(CommandLine, HelpNamesEveryOptionAndTheDefaults)
{
    const std::string help = CommandLineHelp();
    for (const char* word :
         {"--service-host", "--probe-host", "--screenshot", "--help", "127.0.0.1:8642", kDefaultProbeHost})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

} // namespace
