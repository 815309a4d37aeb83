// Puts the strict layer in front of the test program's system calls before main() runs: the object file
// is linked into every Windows test program, and its static initialiser patches the import table.
// ZENTRIMO_STRICT_LAYER=off leaves the table alone, to tell a fault Wine shows from one the layer adds.
#include "tests/support/strict/windows/StrictLayer.h"

namespace strict::win {
namespace {

bool Wanted()
{
    wchar_t value[8];
    const DWORD length = GetEnvironmentVariableW(L"ZENTRIMO_STRICT_LAYER", value, 8);
    return !(length > 0 && length < 8 && lstrcmpiW(value, L"off") == 0);
}

const int g_patched = [] {
    if (!Wanted())
        return 0;
    std::size_t files = 0;
    std::size_t registry = 0;
    const Hook* fileHooks = FileHooks(files);
    const Hook* registryHooks = RegistryHooks(registry);
    return PatchImports(fileHooks, files) + PatchImports(registryHooks, registry);
}();

} // namespace
} // namespace strict::win
