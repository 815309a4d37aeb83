// Parsing of zentrimo-service's subcommands and options.
#include "server/CServiceOptions.h"

#include <charconv>

namespace {

bool ParseNumber(const std::string& text, long long low, long long high, long long& value)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty() && value >= low && value <= high;
}

} // namespace

std::string CServiceOptions::Usage()
{
    return "Usage:\n"
           "  zentrimo-service [--listen HOST:PORT] [--catalog DIR] [--db FILE] [--threads N]\n"
           "                   [--public-host HOST[:PORT]]\n"
           "      Serve the name service. Defaults: --listen 127.0.0.1:8642, --catalog catalog,\n"
           "      --db requests.db, --threads 32. Port 0 picks a free port; the first line on\n"
           "      standard output is then \"listening on HOST:PORT\". Package addresses name the\n"
           "      --public-host, or else the host the client asked for. SIGINT or SIGTERM stops\n"
           "      the service after the requests in progress.\n"
           "  zentrimo-service publish --catalog DIR NAME FILE.wav...\n"
           "      Build the package of NAME: the first file becomes NAME.wav, the second NAME^.wav\n"
           "      (a single file serves as both), further files keep their own names.\n"
           "  zentrimo-service requests --db FILE\n"
           "      List the stored name requests, tab-separated, one per line after a header.\n"
           "  zentrimo-service sample --catalog DIR [--count N] [--recordings DIR]\n"
           "  zentrimo-service sample --list [--count N]\n"
           "      Build (or list the names of) a deterministic sample catalogue of N names\n"
           "      (default 36). Recordings come from DIR/<index>.wav and DIR/<index>^.wav where\n"
           "      present, otherwise they are generated tones.\n"
           "  zentrimo-service --help\n";
}

bool CServiceOptions::SplitListen(const std::string& text, std::string& host, int& port)
{
    size_t colon;
    if (!text.empty() && text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':')
            return false;
        host = text.substr(1, close - 1);
        colon = close + 1;
    } else {
        colon = text.rfind(':');
        if (colon == std::string::npos || text.find(':') != colon)
            return false;
        host = text.substr(0, colon);
    }
    long long value = 0;
    if (host.empty() || !ParseNumber(text.substr(colon + 1), 0, 65535, value))
        return false;
    port = static_cast<int>(value);
    return true;
}

bool CServiceOptions::Parse(const std::vector<std::string>& args, std::string& error)
{
    size_t i = 0;
    if (!args.empty() && !args[0].starts_with("-")) {
        const std::string& name = args[0];
        if (name == "publish")
            command = Command::Publish;
        else if (name == "requests")
            command = Command::Requests;
        else if (name == "sample")
            command = Command::Sample;
        else if (name == "help")
            command = Command::Help;
        else {
            error = "unknown command: " + name;
            return false;
        }
        i = 1;
    }
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--help" || arg == "-h") {
            command = Command::Help;
        } else if (arg == "--listen") {
            if (!value(text))
                return false;
            if (!SplitListen(text, listenHost, listenPort)) {
                error = "--listen wants HOST:PORT, not " + text;
                return false;
            }
        } else if (arg == "--catalog") {
            if (!value(catalog))
                return false;
        } else if (arg == "--db") {
            if (!value(db))
                return false;
        } else if (arg == "--public-host") {
            if (!value(publicHost))
                return false;
        } else if (arg == "--recordings") {
            if (!value(recordings))
                return false;
        } else if (arg == "--list") {
            listOnly = true;
        } else if (arg == "--threads" || arg == "--count") {
            if (!value(text))
                return false;
            long long number = 0;
            const bool threadsOption = arg == "--threads";
            if (!ParseNumber(text, 1, threadsOption ? 1024 : 10000000, number)) {
                error = arg + " wants a positive number, not " + text;
                return false;
            }
            if (threadsOption)
                threads = static_cast<int>(number);
            else
                count = static_cast<size_t>(number);
        } else if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (arg.starts_with("--")) {
            error = "unknown option: " + arg;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (command == Command::Help)
        return true;
    if (command == Command::Publish && positional.size() < 2) {
        error = "publish wants NAME and at least one FILE.wav";
        return false;
    }
    if (command != Command::Publish && !positional.empty()) {
        error = "unexpected argument: " + positional.front();
        return false;
    }
    return true;
}
