// The folder of the running executable, ending in a backslash.
#include "app/ModuleFolder.h"

#include "platform/fs/ModulePath.h"

std::string ModuleFolderOf(const std::string& modulePath)
{
    const size_t slash = modulePath.rfind('\\');
    return slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
}

std::string RunningModuleFolder()
{
    char buffer[260];
    GetModuleFileName(nullptr, buffer, sizeof buffer);
    return ModuleFolderOf(buffer);
}
