// Parsing Zentrimo's command line.
#include "app/AppOptions.h"

#include <string_view>

bool ParseCommandLine(int argc, const char* const* argv, AppOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg != "--screenshot" && arg != "--service-host" && arg != "--probe-host") {
            error = "unknown option: " + std::string(arg);
            return false;
        }
        if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
            error = std::string(arg) + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (arg == "--screenshot") {
            options.screenshotFile = value;
        } else if (arg == "--service-host") {
            std::string host;
            unsigned port = 0;
            if (!SplitHostPort(value, host, port)) {
                error = "--service-host wants HOST[:PORT] with a port from 1 to 65535: " + value;
                return false;
            }
            options.serviceHost = value;
        } else {
            options.probeHost = value;
        }
    }
    return true;
}

std::string CommandLineHelp()
{
    return std::string("Usage: Zentrimo [options]\n"
                       "Installs recorded-name files into Velmora.\n"
                       "\n"
                       "  --service-host HOST[:PORT]  the name web service (default ") +
           kDefaultServiceHost +
           ")\n"
           "  --probe-host NAME           the host whose lookup tells whether the internet can be\n"
           "                              reached (default " +
           kDefaultProbeHost +
           ")\n"
           "  --screenshot FILE           render the main window to a PNG file and exit\n"
           "  --help                      show this text and exit\n";
}
