// The folder of the running executable, ending in a backslash.
#include "app/ModuleFolder.h"

#include "platform/fs/ModulePath.h"

std::string RunningModuleFolder()
{
    char buffer[260];
    GetModuleFileName(nullptr, buffer, sizeof buffer);
    return ModuleFolderOf(buffer);
}
