// The test program started again as a child on Linux: posix_spawn of /proc/self/exe with two pipes.
#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <stdexcept>

extern char** environ;

struct ChildProcess::Own
{
    pid_t pid = -1;
    int input = -1;  // our end of the child's standard input
    int output = -1; // our end of its standard output
    bool reaped = false;
    int status = 0;

    void Reap()
    {
        if (reaped)
            return;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        reaped = true;
    }
};

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& args)
    : m_own(std::make_unique<Own>())
{
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        throw std::runtime_error("pipe failed");
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<std::string> command{self, "--child-role", role};
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : command)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0); // dup2 clears close-on-exec
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    const int rc = ::posix_spawn(&m_own->pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    m_own->input = toChild[1];
    m_own->output = fromChild[0];
    if (rc != 0) {
        m_own->reaped = true;
        throw std::runtime_error("cannot start " + self);
    }
}

ChildProcess::~ChildProcess()
{
    if (!m_own->reaped)
        ::kill(m_own->pid, SIGKILL);
    m_own->Reap();
    CloseInput();
    if (m_own->output >= 0)
        ::close(m_own->output);
}

std::string ChildProcess::ReadLine()
{
    std::string line;
    char c;
    for (ssize_t n; (n = ::read(m_own->output, &c, 1)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || c == '\n')
            break;
        line.push_back(c);
    }
    return line;
}

void ChildProcess::CloseInput()
{
    if (m_own->input >= 0)
        ::close(m_own->input);
    m_own->input = -1;
}

bool ChildProcess::Kill()
{
    if (m_own->reaped || ::kill(m_own->pid, SIGKILL) != 0)
        return false;
    m_own->Reap();
    return WIFSIGNALED(m_own->status) && WTERMSIG(m_own->status) == SIGKILL;
}

int ChildProcess::Wait()
{
    m_own->Reap();
    return WIFEXITED(m_own->status) ? WEXITSTATUS(m_own->status) : 128 + WTERMSIG(m_own->status);
}
