// A second run of the test program itself, started in one of its child roles and talking to the test
// through its standard input and output: the same on both builds (fork and exec, or CreateProcess).
#pragma once

#include <memory>
#include <string>
#include <vector>

// What a child role does with its arguments; its result is the process's exit code.
using ChildRole = int (*)(const std::vector<std::string>& args);

// Registers a role under a name, at static initialisation of a test file.
struct ChildRoleRegistration
{
    ChildRoleRegistration(const char* name, ChildRole role);
};

// For main(): runs the role when the command line is "--child-role NAME ARGS...", setting ran.
int RunChildRole(int argc, char** argv, bool& ran);

class ChildProcess
{
public:
    // Starts this program in role name with args. Throws std::runtime_error when it cannot start.
    ChildProcess(const std::string& role, const std::vector<std::string>& args);
    // A child still running is killed.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line the child wrote, without its end; "" once its output has ended.
    std::string ReadLine();
    // The child reads the end of its input.
    void CloseInput();
    // Ends the child at once, as a killed run ends: nothing of its own clean-up runs. True when the
    // child was still running and ended by this.
    bool Kill();
    // Waits for the end; the exit code.
    int Wait();

private:
    struct Own;
    std::unique_ptr<Own> m_own;
};
