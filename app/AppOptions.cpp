// Parsing Zentrimo's command line.
#include "app/AppOptions.h"

#include <charconv>
#include <string_view>

namespace {

bool ParsePort(std::string_view text, unsigned& port)
{
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535)
        return false;
    port = value;
    return true;
}

} // namespace

bool SplitHostPort(const std::string& text, std::string& host, unsigned& port)
{
    port = 0;
    if (text.empty())
        return false;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos || close == 1)
            return false;
        host = text.substr(1, close - 1);
        if (close + 1 == text.size())
            return true;
        return text[close + 1] == ':' && ParsePort(std::string_view(text).substr(close + 2), port);
    }
    const size_t colon = text.find(':');
    if (colon == std::string::npos) {
        host = text;
        return true;
    }
    if (colon == 0 || text.find(':', colon + 1) != std::string::npos)
        return false; // a bare IPv6 address needs brackets
    host = text.substr(0, colon);
    return ParsePort(std::string_view(text).substr(colon + 1), port);
}

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
