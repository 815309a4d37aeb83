// The system's sockets layer on Linux: versions granted as Winsock grants them, lookups with getaddrinfo.
#include "platform/net/detail/NetBackend.h"

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "platform/net/linux/HostResolver.h"

namespace {

constexpr WORD kHighest = MAKEWORD(2, 2);

class CSystemSockets : public CSocketsLayer
{
public:
    int Startup(WORD requested, WSADATA* data) override
    {
        if (!data)
            return WSAVERNOTSUPPORTED;
        // Below 1.0 nothing fits; above 2.2 the caller gets 2.2 and may refuse it.
        if (LOBYTE(requested) < 1)
            return WSAVERNOTSUPPORTED;
        const bool above = LOBYTE(requested) > 2 || (LOBYTE(requested) == 2 && HIBYTE(requested) > 2);
        *data = WSADATA{};
        data->wVersion = above ? kHighest : requested;
        data->wHighVersion = kHighest;
        std::strcpy(data->szDescription, "Zentrimo sockets");
        std::strcpy(data->szSystemStatus, "Running");
        ++m_started;
        return 0;
    }

    HOSTENT* LookUp(const char* name) override
    {
        if (m_started.load() <= 0 || !name)
            return nullptr;
        thread_local Result result;
        if (!hostresolver::Resolve(name, result.name, result.addresses))
            return nullptr;
        result.pointers.clear();
        for (std::string& address : result.addresses)
            result.pointers.push_back(address.data());
        result.pointers.push_back(nullptr);
        result.aliases[0] = nullptr;
        result.entry.h_name = result.name.data();
        result.entry.h_aliases = result.aliases;
        result.entry.h_addrtype = 2; // AF_INET
        result.entry.h_length = 4;
        result.entry.h_addr_list = result.pointers.data();
        return &result.entry;
    }

    int Cleanup() override
    {
        int started = m_started.load();
        while (started > 0 && !m_started.compare_exchange_weak(started, started - 1)) {
        }
        return started > 0 ? 0 : SOCKET_ERROR;
    }

private:
    struct Result
    {
        HOSTENT entry;
        std::string name;
        std::vector<std::string> addresses;
        std::vector<char*> pointers;
        char* aliases[1] = {nullptr};
    };
    std::atomic<int> m_started{0};
};

} // namespace

CSocketsLayer& SystemSockets()
{
    static CSystemSockets system;
    return system;
}
