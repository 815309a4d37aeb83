// Conversion of 8-bit text between the ANSI and the OEM code page (on Linux the locale charset and
// CP437, on Windows the system's two code pages), to and from UTF-8 and out of CP437, for entry names.
#pragma once

#include <string>

#include "platform/core/WinDefs.h"

namespace codepage {

// The ANSI charset in force: on Linux the C library's locale charset, UTF-8 when the locale is the
// plain C/POSIX one (the program's strings are UTF-8 on Linux); on Windows "UTF-8" or "CP" and the
// number of the system's ANSI code page.
std::string AnsiCharset();

// ANSI -> OEM. False (out untouched) when a character has no CP437 form or the text is not valid
// in the ANSI charset; nothing is ever replaced by a substitute character.
bool AnsiToOem(const std::string& ansi, std::string& out);

// OEM -> ANSI. CP437 gives a meaning to all 256 bytes, so this fails only when the ANSI charset
// cannot hold a character; then out is untouched.
bool OemToAnsi(const std::string& oem, std::string& out);

// ANSI <-> UTF-8 (identity when the ANSI charset is UTF-8). False on text that does not convert.
bool AnsiToUtf8(const std::string& ansi, std::string& out);
bool Utf8ToAnsi(const std::string& utf8, std::string& out);

// CP437 -> ANSI whatever the system's OEM code page is: one reading of bytes that must mean the same on
// every system. Fails only when the ANSI charset cannot hold a character; then out is untouched.
bool Cp437ToAnsi(const std::string& cp437, std::string& out);

// True when text is well-formed UTF-8: no stray or missing continuation bytes, no overlong forms (a
// two-byte '/' among them), no surrogates, nothing past U+10FFFF.
bool IsUtf8(const std::string& text);

} // namespace codepage
