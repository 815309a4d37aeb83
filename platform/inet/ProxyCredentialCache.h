// Proxy credentials a proxy has accepted, kept for the rest of the process and presented to it again.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/inet/InternetTypes.h"

namespace inet {

struct ProxyCredentials
{
    std::string user;
    std::string password;
    bool operator==(const ProxyCredentials&) const = default;
};

// The user gives the proxy's login once; later requests through that proxy carry it by themselves,
// whichever session they come from. Entries are keyed by the proxy's "host:port" (the host without
// regard to case), so credentials never travel to another host or another port.
//
// Contract:
// - An entry is made only from an answer of the proxy that is not 407 to a request that carried the
//   credentials: a wrong password never enters.
// - A 407 to credentials equal to the entry drops the entry, so that the caller sees the 407 and can
//   ask the user again instead of the cache presenting rejected credentials for ever.
// - Credentials set on a request go before the entry; a 407 to other credentials leaves it alone.
// - Not thread-safe: every request of the program runs on its one user-interface thread.
class ProxyCredentialCache
{
public:
    // The accepted credentials for proxy ("host:port"), if any.
    std::optional<ProxyCredentials> Find(const std::string& proxy) const;

    // What a request through proxy presents: the credentials set on it (own) when it has any, else
    // the accepted ones.
    std::optional<ProxyCredentials> Presented(const std::string& proxy,
                                              const std::optional<ProxyCredentials>& own) const
    {
        return own ? own : Find(proxy);
    }

    // Learns from the status the proxy path answered to a request that carried sent.
    // status 0 (no answer was read) changes nothing.
    void Learn(const std::string& proxy, const ProxyCredentials& sent, DWORD status);

    void Clear() { m_entries.clear(); }

private:
    std::map<std::string, ProxyCredentials> m_entries;
};

// The process's one cache, shared by every session of the internet layer.
ProxyCredentialCache& ProcessProxyCredentials();

} // namespace inet
