// The test program started again as a child on Windows: CreateProcess of its own file with two pipes,
// TerminateProcess for a killed run.
#include "tests/support/ChildProcess.h"

#include <windows.h>

#include <stdexcept>

namespace {

// The exit code a killed child is given; no role ends with it.
constexpr UINT kKilled = 0xDEAD;

// The command line form of one argument (CommandLineToArgvW's rules: quotes, and backslashes before them).
std::string Quoted(const std::string& arg)
{
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

void Close(HANDLE& handle)
{
    if (handle)
        CloseHandle(handle);
    handle = nullptr;
}

} // namespace

struct ChildProcess::Own
{
    HANDLE process = nullptr;
    HANDLE input = nullptr;  // our end of the child's standard input
    HANDLE output = nullptr; // our end of its standard output
    bool ended = false;
};

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& args)
    : m_own(std::make_unique<Own>())
{
    char self[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    if (length == 0 || length >= sizeof self)
        throw std::runtime_error("cannot name the running program");
    std::string command = Quoted(self) + " --child-role " + Quoted(role);
    for (const std::string& arg : args)
        command += " " + Quoted(arg);

    // Only the child's ends are inherited.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE childInput = nullptr, childOutput = nullptr;
    if (!CreatePipe(&childInput, &m_own->input, &inherited, 0) ||
        !CreatePipe(&m_own->output, &childOutput, &inherited, 0)) {
        Close(childInput);
        Close(m_own->input);
        throw std::runtime_error("CreatePipe failed");
    }
    SetHandleInformation(m_own->input, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(m_own->output, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    const BOOL ok =
        CreateProcessA(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started);
    Close(childInput);
    Close(childOutput);
    if (!ok) {
        m_own->ended = true;
        throw std::runtime_error("cannot start " + command + ": error " + std::to_string(GetLastError()));
    }
    CloseHandle(started.hThread);
    m_own->process = started.hProcess;
}

ChildProcess::~ChildProcess()
{
    if (!m_own->ended && m_own->process) {
        TerminateProcess(m_own->process, kKilled);
        WaitForSingleObject(m_own->process, INFINITE);
    }
    Close(m_own->process);
    Close(m_own->input);
    Close(m_own->output);
}

std::string ChildProcess::ReadLine()
{
    std::string line;
    char c;
    DWORD read = 0;
    while (ReadFile(m_own->output, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
        if (c != '\r')
            line.push_back(c);
    }
    return line;
}

void ChildProcess::CloseInput()
{
    Close(m_own->input);
}

bool ChildProcess::Kill()
{
    if (m_own->ended || !TerminateProcess(m_own->process, kKilled))
        return false;
    WaitForSingleObject(m_own->process, INFINITE);
    m_own->ended = true;
    DWORD code = 0;
    return GetExitCodeProcess(m_own->process, &code) && code == kKilled;
}

int ChildProcess::Wait()
{
    WaitForSingleObject(m_own->process, INFINITE);
    m_own->ended = true;
    DWORD code = 0;
    GetExitCodeProcess(m_own->process, &code);
    return static_cast<int>(code);
}
