// Opening registry keys on Windows: the native view first, then the view a 32-bit installer writes to.
#include "platform/registry/detail/RegistryBackend.h"

LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD options, REGSAM desired, HKEY* result)
{
    const LONG status = RegOpenKeyExA(key, subKey, options, desired, result);
    // Velmora's installer may be a 32-bit program, whose machine keys live in the 32-bit view. A native
    // key the user may not open hides nothing: the 32-bit one is looked for as when the key is missing.
    const bool viewNamed = (desired & (KEY_WOW64_32KEY | KEY_WOW64_64KEY)) != 0;
    if ((status != ERROR_FILE_NOT_FOUND && status != ERROR_ACCESS_DENIED) || viewNamed ||
        key != HKEY_LOCAL_MACHINE)
        return status;
    const LONG view32 = RegOpenKeyExA(key, subKey, options, desired | KEY_WOW64_32KEY, result);
    if (view32 == ERROR_SUCCESS || view32 == ERROR_ACCESS_DENIED)
        return view32;
    return status; // a refusal says more than a missing 32-bit key
}
