// The full path of the running executable in Windows form.
#pragma once

#include <string>

#include "platform/core/WinDefs.h"

#ifndef _WIN32
// Copies the running executable's Windows-form path ("Z:\usr\local\bin\Zentrimo") into buffer,
// cut to size - 1 characters and terminated, and returns the number of characters copied.
// module must be null (the running executable); other modules are not supported and give 0.
unsigned GetModuleFileName(void* module, char* buffer, unsigned size);
#endif

// The running executable's Windows-form path without a buffer limit.
std::string ModuleFileName();

// modulePath cut after its last backslash, which is kept ("E:\Tools\Zentrimo.exe" gives "E:\Tools\");
// empty when there is no backslash.
std::string ModuleFolderOf(const std::string& modulePath);
