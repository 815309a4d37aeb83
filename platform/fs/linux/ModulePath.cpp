// The running executable's path, read from /proc and given in Windows form.
#include "platform/fs/ModulePath.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/fs/detail/FsBackend.h"

std::string ModuleFileName()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : winpath::ToWindows(exe);
}

unsigned GetModuleFileName(void* module, char* buffer, unsigned size)
{
    if (module != nullptr || buffer == nullptr || size == 0)
        return 0;
    const std::string path = ModuleFileName();
    const size_t count = std::min<size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), count);
    buffer[count] = '\0';
    return static_cast<unsigned>(count);
}
