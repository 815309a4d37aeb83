// The terminal of a console program: whether a stream is one, text written to it, a line read without echo.
#pragma once

#include <optional>
#include <string>

namespace console {

enum class Stream { Input, Output, Error };

// True when the stream is a terminal (a console window on Windows), not a file or a pipe.
bool IsTerminal(Stream stream);

// Writes text in the program's code page (UTF-8 on Linux and under the program's manifest on Windows).
// A console window gets it as characters, whatever its own code page; a file or a pipe gets the bytes.
void Write(Stream stream, const std::string& text);

// Reads a line from standard input without its line end; nothing at end of input. With echo false and
// standard input a terminal, what is typed is not shown (a password).
std::optional<std::string> ReadLine(bool echo);

} // namespace console
