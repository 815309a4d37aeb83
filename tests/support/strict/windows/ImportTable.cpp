// Patching the test program's import address table: the executable's own code and the static C++ runtime
// linked into it call the system through these entries, so a patched entry puts a hook in front of
// every such call (the system DLLs' calls among themselves are not seen).
#include <cstring>
#include <map>
#include <string>

#include "tests/support/strict/windows/StrictLayer.h"

namespace strict::win {
namespace {

std::map<std::string, int>& Patched()
{
    static std::map<std::string, int> patched;
    return patched;
}

void Patch(void** slot, const Hook& hook)
{
    if (!*hook.original)
        *hook.original = *slot;
    DWORD protection = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
        return;
    *slot = hook.replacement;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    ++Patched()[hook.name];
}

template <class Data> Data* At(BYTE* base, DWORD offset)
{
    return reinterpret_cast<Data*>(base + offset);
}

} // namespace

int PatchImports(const Hook* hooks, std::size_t count)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = At<IMAGE_NT_HEADERS>(base, static_cast<DWORD>(At<IMAGE_DOS_HEADER>(base, 0)->e_lfanew));
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return 0;
    int patched = 0;
    for (auto* dll = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); dll->Name; ++dll) {
        auto* slots = At<IMAGE_THUNK_DATA>(base, dll->FirstThunk);
        if (dll->OriginalFirstThunk == 0) {
            // No names beside the entries: recognise them by the addresses the loader wrote.
            const HMODULE module = GetModuleHandleA(At<char>(base, dll->Name));
            for (; module && slots->u1.Function; ++slots)
                for (std::size_t i = 0; i < count; ++i)
                    if (reinterpret_cast<FARPROC>(slots->u1.Function) ==
                        GetProcAddress(module, hooks[i].name)) {
                        Patch(reinterpret_cast<void**>(&slots->u1.Function), hooks[i]);
                        ++patched;
                    }
            continue;
        }
        for (auto* names = At<IMAGE_THUNK_DATA>(base, dll->OriginalFirstThunk); names->u1.AddressOfData;
             ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const char* name = reinterpret_cast<const char*>(
                At<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(names->u1.AddressOfData))->Name);
            for (std::size_t i = 0; i < count; ++i)
                if (std::strcmp(name, hooks[i].name) == 0) {
                    Patch(reinterpret_cast<void**>(&slots->u1.Function), hooks[i]);
                    ++patched;
                }
        }
    }
    return patched;
}

int PatchedEntries(const char* name)
{
    const auto it = Patched().find(name);
    return it == Patched().end() ? 0 : it->second;
}

} // namespace strict::win
