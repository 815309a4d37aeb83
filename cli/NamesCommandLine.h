// The command line of zentrimo-names: one command, its operands and the options common to all.
#pragma once

#include <string>
#include <vector>

namespace cli {

enum class Command { None, List, Install, Save, InstallSaved, Request };

struct RequestFields
{
    std::string name;          // the name to record
    std::string requester;     // who asks
    std::string email;         // where the maker answers
    std::string pronunciation; // optional
    std::string comments;      // optional
};

struct NamesOptions
{
    Command command = Command::None;
    bool help = false;
    bool version = false;
    bool installed = false;         // list --installed
    std::vector<std::string> names; // install and save: the names given as operands
    std::string fromFile;           // --from FILE, "-" for standard input
    std::string toFolder;           // save --to FOLDER
    std::string archive;            // install-saved [ARCHIVE]
    RequestFields request;
    std::string serviceHost; // empty: the default
    std::string probeHost;   // empty: the default
    std::string velmoraFolder;
    std::string proxyUser;
    bool quiet = false;
};

// Parses argv[1..argc-1]: options may stand before or after the command, as "--opt VALUE" or
// "--opt=VALUE"; "--" ends the options (a name may then start with '-'). False with a one-line reason
// in error for anything a command does not take: an unknown command or option, a missing value or
// operand, names and --from together, install-saved with more than one archive. serviceHostValid
// checks a --service-host value.
bool ParseNamesCommandLine(int argc, const char* const* argv, NamesOptions& options, std::string& error,
                           bool (*serviceHostValid)(const std::string&));

// The text --help prints: every command with an example.
std::string NamesHelp(const std::string& defaultServiceHost, const std::string& defaultProbeHost);

} // namespace cli
