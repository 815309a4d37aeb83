// One registry hive parsed from Wine's text format ("WINE REGISTRY Version 2").
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CRegistryHive
{
public:
    struct Value
    {
        std::string name;                // as written, escapes resolved (UTF-8)
        std::uint32_t type = 0;          // REG_SZ, REG_DWORD, ...
        std::vector<unsigned char> data; // string types: UTF-8 including the terminating NUL
    };
    struct Key
    {
        std::vector<Value> values;
    };

    // Parses the text of a hive file. Lines that cannot be read are skipped; a text without the
    // format's first line gives an empty hive.
    static CRegistryHive Parse(const std::string& text);

    // Reads and parses a file; nullopt when it cannot be read.
    static std::optional<CRegistryHive> Load(const std::string& hostPath);

    // The key at path ('\'-separated, case ignored for A-Z); null when absent. A key exists when
    // it or any key below it has a section in the file.
    const Key* FindKey(const std::string& path) const;

    // The value of key named name (case ignored for A-Z; "" is the default value "@").
    static const Value* FindValue(const Key& key, const std::string& name);

    size_t KeyCount() const { return m_keys.size(); }

private:
    std::map<std::string, Key> m_keys; // by folded path without empty components
};
