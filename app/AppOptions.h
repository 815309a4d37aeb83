// The command line of Zentrimo, parsed once in main and read by the main window.
#pragma once

#include <string>

// The maker's public web host, looked up by the connectivity probe.
inline constexpr const char* kDefaultProbeHost = "www.olvastine.example";
inline constexpr const char* kDefaultServiceHost = "127.0.0.1:8642";

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

// Splits HOST[:PORT] ("[::1]:8642" for IPv6) into host and port; port 0 when none is given.
// False when the text is not of that form.
bool SplitHostPort(const std::string& text, std::string& host, unsigned& port);
