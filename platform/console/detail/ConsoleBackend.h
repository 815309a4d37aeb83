// What each console backend (linux/, windows/) defines for Console.cpp.
#pragma once

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

} // namespace console::detail
