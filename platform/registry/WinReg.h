// Read-only access to the configuration store: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, over Wine's
// registry files ($WINEPREFIX/system.reg and $WINEPREFIX/user.reg) on Linux, the registry on Windows.
#pragma once

#include "platform/core/WinDefs.h"

#ifdef _WIN32
// The SDK's registry; RegOpenKeyEx is ours so that a key a 32-bit installer wrote is found too.
#undef RegOpenKeyEx
#else
#include <cstdint>

using REGSAM = DWORD;

struct HKEY__;
using HKEY = HKEY__*;

inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
#endif

// Opens subKey ('\'-separated, names matched ignoring case; null or "" reopens key itself) below
// an open key or a root. The key's values are read when it is opened: the handle is a snapshot.
// Any right that would modify the key (everything beyond KEY_READ, e.g. KEY_ALL_ACCESS) is refused
// with ERROR_ACCESS_DENIED when the hive's file cannot be written, whoever runs the program, as
// Windows refuses a standard user everything beyond reading on HKEY_LOCAL_MACHINE.
// Returns ERROR_FILE_NOT_FOUND for a missing key or hive, ERROR_INVALID_HANDLE for an unknown key.
// A key below HKEY_LOCAL_MACHINE\SOFTWARE that the native view lacks or refuses is looked for in the
// 32-bit view (where a 32-bit installer writes; Wine keeps it below Software\Wow6432Node) unless
// desired names a view; a refusal in either view is reported before a missing key.
LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD options, REGSAM desired, HKEY* result);

#ifndef _WIN32

// Reads value name (null or "" for the key's default value; matched ignoring case). Strings come in
// the ANSI code page with their terminating NUL counted in the size. data null: only *dataSize
// (and *type) are set. A buffer smaller than the value: ERROR_MORE_DATA, *dataSize set to the size
// needed and the buffer left untouched. reserved must be null.
LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                     DWORD* dataSize);

// Releases a handle from RegOpenKeyEx; roots and unknown handles give ERROR_INVALID_HANDLE.
LONG RegCloseKey(HKEY key);
#endif
