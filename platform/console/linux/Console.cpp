// The console on Linux: terminals through termios; text is UTF-8 already.
#include <csignal>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

#include "platform/console/detail/ConsoleBackend.h"

namespace console::detail {

namespace {

int Descriptor(Stream stream)
{
    return stream == Stream::Input ? STDIN_FILENO : stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO;
}

termios savedMode{};

// Ctrl+C or a kill while a password is typed would leave the user's terminal without echo: the mode is
// put back first, then the signal does what it would have done.
void RestoreEchoAndDie(int signal)
{
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

bool StreamIsTerminal(Stream stream)
{
    return isatty(Descriptor(stream)) == 1;
}

void WriteToTerminal(Stream stream, const std::string& text)
{
    FILE* file = stream == Stream::Error ? stderr : stdout;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fflush(file);
}

std::optional<std::string> ReadTerminalLine()
{
    return ReadStdinLine(); // a terminal in canonical mode hands over whole lines
}

bool SetInputEcho(bool on)
{
    constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    if (on) {
        const bool restored = tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode) == 0;
        for (const int signal : kEndingSignals)
            std::signal(signal, SIG_DFL);
        return restored;
    }
    if (tcgetattr(STDIN_FILENO, &savedMode) != 0)
        return false;
    for (const int signal : kEndingSignals)
        std::signal(signal, RestoreEchoAndDie);
    termios hidden = savedMode;
    hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    return tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden) == 0;
}

} // namespace console::detail
