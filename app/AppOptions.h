// The command line of Zentrimo, parsed once in main and read by the main window.
#pragma once

#include <string>

#include "service/ServiceHost.h"

using service::kDefaultProbeHost;
using service::kDefaultServiceHost;
using service::SplitHostPort;

struct AppOptions
{
    bool help = false;
    std::string screenshotFile;                    // host path of a PNG to render the main window into
    std::string serviceHost = kDefaultServiceHost; // HOST[:PORT]; an IPv6 address goes in brackets
    std::string probeHost = kDefaultProbeHost;
};

// Parses argv[1..argc-1]. False with a one-line reason in error for an unknown option, a missing
// value or a service host whose port is not a number from 1 to 65535.
bool ParseCommandLine(int argc, const char* const* argv, AppOptions& options, std::string& error);

// The text --help prints.
std::string CommandLineHelp();
