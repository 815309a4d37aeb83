// The running executable's path from GetModuleFileName, grown until it fits.
#include "platform/fs/ModulePath.h"

#include <vector>

#include "platform/fs/detail/FsBackend.h"

std::string ModuleFileName()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
