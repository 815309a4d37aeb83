// Fuzz entry: any text parsed as a registry hive, every value of every key looked up again.
#include "platform/registry/linux/CRegistryHive.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CRegistryHive hive = CRegistryHive::Parse(std::string(reinterpret_cast<const char*>(data), size));
    if (const CRegistryHive::Key* key = hive.FindKey("Software\\Olvastine\\Velmora"))
        for (const CRegistryHive::Value& value : key->values)
            if (!CRegistryHive::FindValue(*key, value.name))
                __builtin_trap();
    return 0;
}
