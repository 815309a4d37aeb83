// The console on Linux: terminals through termios; text is UTF-8 already.
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
    termios mode{};
    if (tcgetattr(STDIN_FILENO, &mode) != 0)
        return false;
    if (on)
        mode.c_lflag |= ECHO;
    else
        mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    return tcsetattr(STDIN_FILENO, TCSAFLUSH, &mode) == 0;
}

} // namespace console::detail
