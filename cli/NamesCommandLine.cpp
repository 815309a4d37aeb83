// Parsing zentrimo-names' command line.
#include "cli/NamesCommandLine.h"

#include <map>
#include <string_view>

namespace cli {

namespace {

const std::map<std::string_view, Command> kCommands = {{"list", Command::List},
                                                       {"install", Command::Install},
                                                       {"save", Command::Save},
                                                       {"install-saved", Command::InstallSaved},
                                                       {"request", Command::Request}};

// Where each option's value goes, and the command it belongs to (None: every command).
struct ValueOption
{
    std::string NamesOptions::*common = nullptr;
    std::string RequestFields::*field = nullptr;
    Command only = Command::None;
};

const std::map<std::string_view, ValueOption> kValueOptions = {
    {"--service-host", {&NamesOptions::serviceHost}},
    {"--probe-host", {&NamesOptions::probeHost}},
    {"--velmora-folder", {&NamesOptions::velmoraFolder}},
    {"--proxy-user", {&NamesOptions::proxyUser}},
    {"--from", {&NamesOptions::fromFile}},
    {"--to", {&NamesOptions::toFolder, nullptr, Command::Save}},
    {"--name", {nullptr, &RequestFields::name, Command::Request}},
    {"--requester", {nullptr, &RequestFields::requester, Command::Request}},
    {"--email", {nullptr, &RequestFields::email, Command::Request}},
    {"--pronunciation", {nullptr, &RequestFields::pronunciation, Command::Request}},
    {"--comments", {nullptr, &RequestFields::comments, Command::Request}},
};

std::string_view CommandName(Command command)
{
    for (const auto& [name, value] : kCommands)
        if (value == command)
            return name;
    return "";
}

// What the command needs beyond its options, once all are read.
bool Complete(const NamesOptions& options, std::string& error)
{
    const bool listed = !options.names.empty() || !options.fromFile.empty();
    switch (options.command) {
    case Command::None:
        error = "no command given (list, install, save, install-saved or request)";
        return false;
    case Command::Install:
    case Command::Save:
        if (!options.names.empty() && !options.fromFile.empty()) {
            error = "give names or --from FILE, not both";
            return false;
        }
        if (!listed) {
            error = std::string(CommandName(options.command)) + " needs names or --from FILE";
            return false;
        }
        if (options.command == Command::Save && options.toFolder.empty()) {
            error = "save needs --to FOLDER";
            return false;
        }
        return true;
    case Command::List:
    case Command::Request:
        if (!options.names.empty()) {
            error = "unexpected operand: " + options.names.front();
            return false;
        }
        if (!options.fromFile.empty()) {
            error = "--from is for install and save";
            return false;
        }
        if (options.command == Command::Request &&
            (options.request.name.empty() || options.request.requester.empty() ||
             options.request.email.empty())) {
            error = "request needs --name, --requester and --email";
            return false;
        }
        return true;
    case Command::InstallSaved:
        if (!options.fromFile.empty()) {
            error = "--from is for install and save";
            return false;
        }
        if (options.names.size() > 1) {
            error = "install-saved takes one archive: " + options.names[1];
            return false;
        }
        return true;
    }
    return true;
}

} // namespace

bool ParseNamesCommandLine(int argc, const char* const* argv, NamesOptions& options, std::string& error,
                           bool (*serviceHostValid)(const std::string&))
{
    bool optionsEnded = false;
    std::vector<std::pair<std::string, Command>> commandOnly; // options that belong to one command
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (options.command == Command::None) {
                const auto command = kCommands.find(arg);
                if (command == kCommands.end()) {
                    error = "unknown command: " + arg;
                    return false;
                }
                options.command = command->second;
            } else {
                options.names.push_back(arg);
            }
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else if (arg == "--installed") {
            options.installed = true;
            commandOnly.emplace_back(arg, Command::List);
        } else {
            const size_t equals = arg.find('=');
            const std::string name = arg.substr(0, equals);
            const auto option = kValueOptions.find(name);
            if (option == kValueOptions.end()) {
                error = "unknown option: " + name;
                return false;
            }
            std::string value;
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < argc) {
                value = argv[++i];
            }
            if (value.empty()) {
                error = name + " needs a value";
                return false;
            }
            if (name == "--service-host" && !serviceHostValid(value)) {
                error = "--service-host wants HOST[:PORT] with a port from 1 to 65535: " + value;
                return false;
            }
            const ValueOption& target = option->second;
            (target.common ? options.*target.common : options.request.*target.field) = value;
            if (target.only != Command::None)
                commandOnly.emplace_back(name, target.only);
        }
    }
    if (options.help || options.version)
        return true;
    for (const auto& [name, command] : commandOnly)
        if (options.command != Command::None && options.command != command) {
            error = name + " is for " + std::string(CommandName(command));
            return false;
        }
    if (options.command == Command::InstallSaved && !options.names.empty())
        options.archive = options.names.front();
    if (!Complete(options, error))
        return false;
    if (options.command == Command::InstallSaved)
        options.names.clear();
    return true;
}

std::string NamesHelp(const std::string& defaultServiceHost, const std::string& defaultProbeHost)
{
    return "Usage: zentrimo-names COMMAND [OPTIONS] [NAME...]\n"
           "Installs recorded names into Velmora from a terminal or a script.\n"
           "\n"
           "Commands:\n"
           "  list [--installed]              the names of the catalogue, or those installed, one a line\n"
           "      zentrimo-names list | grep -i '^jo'\n"
           "  install NAME... | --from FILE   download each name and install it into Velmora\n"
           "      zentrimo-names install Zoë 'Anne Marie'\n"
           "  save --to FOLDER NAME... | --from FILE\n"
           "                                  download each name into FOLDER/VMRNames.zip, for a\n"
           "                                  Velmora computer without internet\n"
           "      zentrimo-names save --to /media/stick --from class.txt\n"
           "  install-saved [ARCHIVE]         install every name of a transfer archive (default:\n"
           "                                  VMRNames.zip beside this program)\n"
           "      zentrimo-names install-saved /media/stick/VMRNames.zip\n"
           "  request --name NAME --requester YOUR-NAME --email ADDRESS\n"
           "          [--pronunciation HINT] [--comments TEXT]\n"
           "                                  ask the maker to record a new name\n"
           "      zentrimo-names request --name Yara --requester 'Ann Lee' --email ann@example.org\n"
           "\n"
           "A list FILE holds one name a line, UTF-8; blank lines and lines starting with # are\n"
           "skipped, and a name given twice is done once. FILE - reads standard input.\n"
           "\n"
           "Options:\n"
           "  --service-host HOST[:PORT]  the name web service (default " +
           defaultServiceHost +
           ")\n"
           "  --probe-host NAME           the host whose lookup tells whether the internet can be\n"
           "                              reached (default " +
           defaultProbeHost +
           ")\n"
           "  --velmora-folder FOLDER     Velmora's folder, instead of the one found on this computer\n"
           "  --proxy-user USER           the user name for a proxy that asks for a login; the password\n"
           "                              is asked for on the terminal, or taken from\n"
           "                              ZENTRIMO_PROXY_PASSWORD\n"
           "  --quiet, -q                 no progress on standard error\n"
           "  --help, -h                  show this text and exit\n"
           "  --version                   show the version and exit\n"
           "\n"
           "Exit status: 0 all done; 1 some names not done (each told on standard error);\n"
           "2 a usage error; 3 nothing could be done (no Velmora folder, no service).\n";
}

} // namespace cli
