// zentrimo-service's commands: serve, publish, requests, sample, help.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class CServiceOptions;

class CServiceCommand
{
public:
    CServiceCommand(std::FILE* out, std::FILE* err) : m_out(out), m_err(err) {}

    // args without the program name; the result is the process exit code.
    int Run(const std::vector<std::string>& args);

private:
    int Serve(const CServiceOptions& options);
    int Publish(const CServiceOptions& options);
    int Requests(const CServiceOptions& options);
    int Sample(const CServiceOptions& options);

    std::FILE* m_out;
    std::FILE* m_err;
};
