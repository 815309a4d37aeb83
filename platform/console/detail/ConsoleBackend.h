// What each console backend (linux/, windows/) defines for Console.cpp.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "platform/console/Console.h"

namespace console::detail {

// Whether the stream is a terminal.
bool StreamIsTerminal(Stream stream);

// Writes characters to a stream that is a terminal.
void WriteToTerminal(Stream stream, const std::string& text);

// Reads a line typed at the terminal of standard input, in the program's code page, without its line end;
// nothing at end of input.
std::optional<std::string> ReadTerminalLine();

// Turns the echo of standard input on or off; false when it cannot be changed.
bool SetInputEcho(bool on);

// A line of standard input through the C library, without its line end (LF or CR LF); nothing at end of
// input. What a file, a pipe and a Linux terminal give alike.
inline std::optional<std::string> ReadStdinLine()
{
    std::string line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    if (c == EOF && line.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace console::detail
