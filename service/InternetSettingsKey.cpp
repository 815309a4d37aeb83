// Reads ProxyEnable and ProxyServer from HKEY_CURRENT_USER through the registry layer.
#include "service/InternetSettingsKey.h"

#include <cstring>

namespace service {

CInternetSettingsKey::CInternetSettingsKey()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", 0,
                     KEY_READ, &key) == ERROR_SUCCESS)
        m_key = key;
}

CInternetSettingsKey::~CInternetSettingsKey()
{
    Close();
}

DWORD CInternetSettingsKey::ProxyEnable() const
{
    if (!m_key)
        return 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueEx(m_key, "ProxyEnable", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        return 0;
    return value;
}

std::string CInternetSettingsKey::ProxyServer() const
{
    if (!m_key)
        return std::string();
    char buffer[1000] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueEx(m_key, "ProxyServer", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return std::string();
    return std::string(buffer, strnlen(buffer, size));
}

void CInternetSettingsKey::Close()
{
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
}

} // namespace service
