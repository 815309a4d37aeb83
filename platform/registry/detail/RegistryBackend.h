// What registry/linux/ and registry/windows/ must each define: the configuration store's backend
// contract (internal).
#pragma once

#include "platform/registry/WinReg.h"

// Opens a key below a root or an open key, reading the 32-bit view behind a native one that lacks or
// refuses it: on Linux over Wine's registry files, on Windows over advapi32 (both views).
LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD options, REGSAM desired, HKEY* result);

// Linux defines RegQueryValueEx and RegCloseKey (WinReg.h) as well: Windows takes those from the system.
