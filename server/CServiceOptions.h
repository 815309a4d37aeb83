// The command line of zentrimo-service.
#pragma once

#include <string>
#include <vector>

class CServiceOptions
{
public:
    enum class Command { Serve, Publish, Requests, Sample, Help };

    // False with a message for the user when the arguments cannot be used.
    bool Parse(const std::vector<std::string>& args, std::string& error);

    static std::string Usage();

    Command command = Command::Serve;
    std::string listenHost = "127.0.0.1";
    int listenPort = 8642;
    std::string catalog = "catalog";
    std::string db = "requests.db";
    std::string publicHost;
    int threads = 32;
    size_t count = 36;
    bool listOnly = false;  // sample --list
    std::string recordings; // sample --recordings DIR
    std::vector<std::string> positional;

    // "HOST:PORT" or "[V6]:PORT" into host and port; false when it is neither.
    static bool SplitListen(const std::string& text, std::string& host, int& port);
};
