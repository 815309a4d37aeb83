// The Windows scalar types every platform header speaks in: the SDK's on Windows, ours on Linux.
#pragma once

#ifdef _WIN32
// The SDK decides the types (DWORD is unsigned long there), so code written against these names
// compiles unchanged on both builds. Its A/W macros (GetFileAttributes, FindNextFile, ...) apply
// to every file that includes a platform header, which keeps the names the same across the program.
#include <windows.h>
#else
#include <cstdint>

// The sizes of the Windows types on a 64-bit Linux: DWORD and LONG stay 32 bits wide.
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
#endif
