// The current user's internet settings key, holding the proxy choice and the proxy list.
#pragma once

#include <string>

#include "platform/registry/WinReg.h"

namespace service {

// Opened for reading by the constructor; a key that cannot be opened reads as having no values.
// Closed by Close() or at the latest by the destructor.
class CInternetSettingsKey
{
public:
    CInternetSettingsKey();
    ~CInternetSettingsKey();
    CInternetSettingsKey(const CInternetSettingsKey&) = delete;
    CInternetSettingsKey& operator=(const CInternetSettingsKey&) = delete;

    // "ProxyEnable" as a 4-byte number; 0 when absent, unreadable or of another size.
    DWORD ProxyEnable() const;

    // "ProxyServer" read into a 1000-byte buffer, up to its first NUL; "" when absent or too long.
    std::string ProxyServer() const;

    void Close();

private:
    HKEY m_key = nullptr;
};

} // namespace service
