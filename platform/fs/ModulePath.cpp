// The folder part of a module's Windows-form path, alike on both systems.
#include "platform/fs/ModulePath.h"

std::string ModuleFolderOf(const std::string& modulePath)
{
    const size_t slash = modulePath.rfind('\\');
    return slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
}
