// What codepage/linux/ and codepage/windows/ must each define: the code page layer's backend contract
// (internal).
#pragma once

#include <string>

#include "platform/codepage/CodePage.h"

// Every conversion is the backend's (iconv on Linux, the system's code pages on Windows); the shared
// Utf8.cpp defines IsUtf8 alone, and calls nothing of these.
namespace codepage {
std::string AnsiCharset();                                    // the ANSI charset's name
bool AnsiToOem(const std::string& ansi, std::string& out);    // false when a character has no OEM form
bool OemToAnsi(const std::string& oem, std::string& out);     // false when ANSI cannot hold one
bool AnsiToUtf8(const std::string& ansi, std::string& out);   // identity when ANSI is UTF-8
bool Utf8ToAnsi(const std::string& utf8, std::string& out);   // false on text that does not convert
bool Cp437ToAnsi(const std::string& cp437, std::string& out); // whatever the system's OEM page is
} // namespace codepage
