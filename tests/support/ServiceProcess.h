// A zentrimo-service process started for a test, found on its port through its first output line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class ServiceProcess
{
public:
    // The built zentrimo-service.
    static std::string Executable();

    // Runs the program with args and waits for "listening on 127.0.0.1:PORT" on its standard
    // output; its standard error goes to errFile. Throws std::runtime_error when the program ends
    // or prints something else first.
    ServiceProcess(const std::vector<std::string>& args, const std::filesystem::path& errFile);
    // Kills a process that is still running.
    ~ServiceProcess();
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    int Port() const { return m_port; }
    void Signal(int signal) const;
    // Waits for the end; the exit code, or 128 + the signal that ended it.
    int Wait();

    // Runs the program to its end with output captured; the exit code.
    static int RunToEnd(const std::vector<std::string>& args, std::string* out = nullptr,
                        std::string* err = nullptr);

private:
    int m_pid = -1;
    int m_port = 0;
    bool m_waited = false;
};
