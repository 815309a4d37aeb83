// The current user's internet settings of a scratch prefix, written as Wine keeps them in user.reg.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "tests/support/ScratchPrefix.h"

// Writes the current user's internet settings into the prefix's user.reg; each line is a value line
// as the registry file holds it ("\"ProxyEnable\"=dword:00000001"); no lines: the key is missing.
inline void WriteInternetSettings(const ScratchPrefix& prefix, const std::vector<std::string>& valueLines)
{
    std::ofstream reg(prefix.Root() / "user.reg");
    reg << "WINE REGISTRY Version 2\n;; All keys relative to "
           "\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n";
    if (valueLines.empty())
        return;
    reg << "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Internet Settings] 1700000000\n";
    for (const std::string& line : valueLines)
        reg << line << "\n";
}

inline void UseProxy(const ScratchPrefix& prefix, const std::string& list)
{
    WriteInternetSettings(prefix, {"\"ProxyEnable\"=dword:00000001", "\"ProxyServer\"=\"" + list + "\""});
}
