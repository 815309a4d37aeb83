// The connectivity probe over platform/net.
#include "locator/ConnectionProbe.h"

#include "platform/net/WinSock.h"

namespace velmora {

bool ProbeHost(const std::string& host)
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0 || LOBYTE(data.wVersion) != 2 ||
        HIBYTE(data.wVersion) != LOBYTE(data.wVersion)) {
        WSACleanup();
        return false;
    }
    gethostbyname(host.c_str());
    WSACleanup();
    return true;
}

} // namespace velmora
