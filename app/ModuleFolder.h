// The folder part of the running executable's Windows-form path.
#pragma once

#include <string>

#include "platform/fs/ModulePath.h" // ModuleFolderOf

// The folder of the running executable, through GetModuleFileName (a 260-character buffer).
std::string RunningModuleFolder();
