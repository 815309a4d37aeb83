// Blocking IPv4 lookup with getaddrinfo.
#include "platform/net/linux/HostResolver.h"

#include <cstring>

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace hostresolver {

bool Resolve(const std::string& name, std::string& canonical, std::vector<std::string>& addresses)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* list = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &list) != 0 || !list)
        return false;
    canonical = list->ai_canonname ? list->ai_canonname : name;
    addresses.clear();
    for (const addrinfo* ai = list; ai; ai = ai->ai_next) {
        if (ai->ai_family != AF_INET || !ai->ai_addr)
            continue;
        const auto* in = reinterpret_cast<const sockaddr_in*>(ai->ai_addr);
        std::string bytes(4, '\0');
        std::memcpy(bytes.data(), &in->sin_addr, 4);
        bool seen = false;
        for (const std::string& known : addresses)
            seen = seen || known == bytes;
        if (!seen)
            addresses.push_back(bytes);
    }
    freeaddrinfo(list);
    return !addresses.empty();
}

} // namespace hostresolver
