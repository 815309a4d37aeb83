// zentrimo-names: the name commands from a terminal or a script.
#include "cli/NamesCommandLine.h"
#include "cli/NamesCommands.h"
#include "platform/console/Console.h"
#include "service/ServiceHost.h"

#ifndef ZENTRIMO_VERSION
#define ZENTRIMO_VERSION "0"
#endif

int main(int argc, char** argv)
{
    cli::NamesOptions options;
    std::string error;
    const auto hostValid = [](const std::string& value) {
        std::string host;
        unsigned port = 0;
        return service::SplitHostPort(value, host, port);
    };
    if (!cli::ParseNamesCommandLine(argc, argv, options, error, hostValid)) {
        console::Write(console::Stream::Error,
                       "zentrimo-names: " + error + "\nTry 'zentrimo-names --help' for the commands.\n");
        return cli::kUsageError;
    }
    if (options.help) {
        console::Write(console::Stream::Output,
                       cli::NamesHelp(service::kDefaultServiceHost, service::kDefaultProbeHost));
        return cli::kAllDone;
    }
    if (options.version) {
        console::Write(console::Stream::Output, std::string("zentrimo-names ") + ZENTRIMO_VERSION + "\n");
        return cli::kAllDone;
    }
    return cli::RunNamesCommand(options);
}
