// Starting, signalling and reaping zentrimo-service for process-level tests.
#include "tests/support/ServiceProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <stdexcept>

extern char** environ;

namespace {

std::vector<char*> Argv(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int Reap(int pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            text.append(buffer, static_cast<size_t>(n));
        else if (errno != EINTR)
            break;
    }
    return text;
}

} // namespace

std::string ServiceProcess::Executable()
{
    return std::string(ZENTRIMO_BINARY_DIR) + "/server/zentrimo-service";
}

ServiceProcess::ServiceProcess(const std::vector<std::string>& args, const std::filesystem::path& errFile)
{
    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> command{Executable()};
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv = Argv(command);
    const int rc = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        throw std::runtime_error("cannot start " + command[0]);
    }
    // The first line tells the port; reading it blocks until the service has bound its socket.
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n')
        line.push_back(c);
    close(out[0]);
    const std::string prefix = "listening on 127.0.0.1:";
    if (line.compare(0, prefix.size(), prefix) != 0) {
        Signal(SIGKILL);
        Wait();
        throw std::runtime_error("zentrimo-service did not start: \"" + line + "\"");
    }
    m_port = std::stoi(line.substr(prefix.size()));
}

ServiceProcess::~ServiceProcess()
{
    if (!m_waited && m_pid > 0) {
        kill(m_pid, SIGKILL);
        Reap(m_pid);
    }
}

void ServiceProcess::Signal(int signal) const
{
    kill(m_pid, signal);
}

int ServiceProcess::Wait()
{
    m_waited = true;
    return Reap(m_pid);
}

int ServiceProcess::RunToEnd(const std::vector<std::string>& args, std::string* out, std::string* err)
{
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    std::vector<std::string> command{Executable()};
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv = Argv(command);
    int pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (rc != 0)
        throw std::runtime_error("cannot start " + command[0]);
    // Standard error is read after standard output; the tests' outputs stay far below a pipe's
    // capacity, so the program never blocks on the one not being read.
    std::string outText = ReadAll(outPipe[0]);
    std::string errText = ReadAll(errPipe[0]);
    close(outPipe[0]);
    close(errPipe[0]);
    if (out)
        *out = outText;
    if (err)
        *err = errText;
    return Reap(pid);
}
