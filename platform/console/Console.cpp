// The shared half of the console: files and pipes take bytes; lines are read through the C library.
#include "platform/console/Console.h"

#include <cstdio>

#include "platform/console/detail/ConsoleBackend.h"

namespace console {

bool IsTerminal(Stream stream)
{
    return detail::StreamIsTerminal(stream);
}

void Write(Stream stream, const std::string& text)
{
    FILE* file = stream == Stream::Error ? stderr : stdout;
    if (detail::StreamIsTerminal(stream)) {
        std::fflush(file);
        detail::WriteToTerminal(stream, text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), file);
    if (stream == Stream::Error)
        std::fflush(file);
}

std::optional<std::string> ReadLine(bool echo)
{
    if (detail::StreamIsTerminal(Stream::Input)) {
        const bool hidden = !echo && detail::SetInputEcho(false);
        std::optional<std::string> line = detail::ReadTerminalLine();
        if (hidden) {
            detail::SetInputEcho(true);
            Write(Stream::Error, "\n"); // the Enter that was not echoed
        }
        return line;
    }
    return detail::ReadStdinLine();
}

} // namespace console
