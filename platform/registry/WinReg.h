// Read-only access to the configuration store: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, over Wine's
// registry files ($WINEPREFIX/system.reg and $WINEPREFIX/user.reg) on Linux, the registry on Windows.
#pragma once

#include "platform/core/WinDefs.h"

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
