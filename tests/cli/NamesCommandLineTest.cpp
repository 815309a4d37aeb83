// The command line of zentrimo-names: what each command takes, and the usage errors a script can meet.
#include <gtest/gtest.h>

#include "cli/NamesCommandLine.h"

namespace {

bool AnyHost(const std::string& host)
{
    return host != "bad:port";
}

struct LineCase
{
    std::vector<const char*> args;
    const char* error; // nullptr: accepted
};

class CommandLines : public testing::TestWithParam<LineCase>
{
};

TEST_P(CommandLines, AreAcceptedOrRefusedWithTheReason)
{
    std::vector<const char*> argv = {"zentrimo-names"};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    cli::NamesOptions options;
    std::string error;
    const bool parsed =
        cli::ParseNamesCommandLine(static_cast<int>(argv.size()), argv.data(), options, error, AnyHost);
    if (GetParam().error) {
        EXPECT_FALSE(parsed);
        EXPECT_EQ(error, GetParam().error);
    } else {
        EXPECT_TRUE(parsed) << error;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Usage, CommandLines,
    testing::Values(LineCase{{"install", "Zoë", "--quiet"}, nullptr},
                    LineCase{{"--service-host=h:1", "save", "--to", "/media/stick", "--from", "class.txt"},
                             nullptr},
                    LineCase{{"install-saved"}, nullptr},
                    LineCase{{}, "no command given (list, install, save, install-saved or request)"},
                    LineCase{{"install"}, "install needs names or --from FILE"},
                    LineCase{{"install", "Zoë", "--from", "a.txt"}, "give names or --from FILE, not both"},
                    LineCase{{"save", "Zoë"}, "save needs --to FOLDER"},
                    LineCase{{"install", "--to", "x", "Zoë"}, "--to is for save"},
                    LineCase{{"list", "Zoë"}, "unexpected operand: Zoë"},
                    LineCase{{"install-saved", "a.zip", "b.zip"}, "install-saved takes one archive: b.zip"},
                    LineCase{{"request", "--name", "Yara"}, "request needs --name, --requester and --email"},
                    LineCase{{"install", "Zoë", "--proxy-user"}, "--proxy-user needs a value"},
                    LineCase{{"list", "--service-host", "bad:port"},
                             "--service-host wants HOST[:PORT] with a port from 1 to 65535: bad:port"},
                    LineCase{{"list", "--colour"}, "unknown option: --colour"},
                    LineCase{{"frobnicate"}, "unknown command: frobnicate"}));

TEST(CommandLine, NamesAfterTheEndOfOptionsAndTheArchiveOperand)
{
    const char* argv[] = {"zentrimo-names", "install", "--", "-Zoë-", "Anna", "-Zoë-"};
    cli::NamesOptions options;
    std::string error;
    ASSERT_TRUE(cli::ParseNamesCommandLine(6, argv, options, error, AnyHost)) << error;
    EXPECT_EQ(options.command, cli::Command::Install);
    EXPECT_EQ(options.names, (std::vector<std::string>{"-Zoë-", "Anna", "-Zoë-"}));

    const char* saved[] = {"zentrimo-names", "install-saved", "/media/stick/VMRNames.zip"};
    cli::NamesOptions savedOptions;
    ASSERT_TRUE(cli::ParseNamesCommandLine(3, saved, savedOptions, error, AnyHost)) << error;
    EXPECT_EQ(savedOptions.archive, "/media/stick/VMRNames.zip");
    EXPECT_TRUE(savedOptions.names.empty());
}

} // namespace
