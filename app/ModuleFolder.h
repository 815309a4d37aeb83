// The folder part of the running executable's Windows-form path.
#pragma once

#include <string>

// modulePath cut after its last backslash, which is kept ("E:\Tools\Zentrimo.exe" gives "E:\Tools\");
// empty when there is no backslash.
std::string ModuleFolderOf(const std::string& modulePath);

// The folder of the running executable, through GetModuleFileName (a 260-character buffer).
std::string RunningModuleFolder();
