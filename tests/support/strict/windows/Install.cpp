// Puts the strict layer in front of the test program's system calls before main() runs: the object file
// is linked into every Windows test program, and its static initialiser patches the import table.
#include "tests/support/strict/windows/StrictLayer.h"

namespace strict::win {
namespace {

const int g_patched = [] {
    std::size_t files = 0;
    std::size_t registry = 0;
    const Hook* fileHooks = FileHooks(files);
    const Hook* registryHooks = RegistryHooks(registry);
    return PatchImports(fileHooks, files) + PatchImports(registryHooks, registry);
}();

} // namespace
} // namespace strict::win
