// Opening registry keys on Windows: the native view first, then the view a 32-bit installer writes to.
#include "platform/registry/WinReg.h"

LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD options, REGSAM desired, HKEY* result)
{
    const LONG status = RegOpenKeyExA(key, subKey, options, desired, result);
    // Velmora's installer may be a 32-bit program, whose machine keys live in the 32-bit view.
    const bool viewNamed = (desired & (KEY_WOW64_32KEY | KEY_WOW64_64KEY)) != 0;
    if (status != ERROR_FILE_NOT_FOUND || viewNamed || key != HKEY_LOCAL_MACHINE)
        return status;
    return RegOpenKeyExA(key, subKey, options, desired | KEY_WOW64_32KEY, result);
}
