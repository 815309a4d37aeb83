// The proxy credential cache: what a proxy's answer teaches it, and the process's instance.
#include "platform/inet/ProxyCredentialCache.h"

#include <algorithm>
#include <cctype>

namespace inet {
namespace {

// Host names compare without regard to case; the port is digits.
std::string Key(const std::string& proxy)
{
    std::string key = proxy;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

} // namespace

std::optional<ProxyCredentials> ProxyCredentialCache::Find(const std::string& proxy) const
{
    const auto found = m_entries.find(Key(proxy));
    if (found == m_entries.end())
        return std::nullopt;
    return found->second;
}

void ProxyCredentialCache::Learn(const std::string& proxy, const ProxyCredentials& sent, DWORD status)
{
    if (status == 0)
        return;
    const std::string key = Key(proxy);
    if (status != HTTP_STATUS_PROXY_AUTH_REQ) {
        m_entries[key] = sent;
        return;
    }
    const auto found = m_entries.find(key);
    if (found != m_entries.end() && found->second == sent)
        m_entries.erase(found);
}

ProxyCredentialCache& ProcessProxyCredentials()
{
    static ProxyCredentialCache cache;
    return cache;
}

} // namespace inet
