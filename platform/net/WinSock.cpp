// The sockets calls, dispatched to the layer in force: a test's stand-in or the system's.
#include "platform/net/WinSock.h"

#include <atomic>

#include "platform/net/detail/NetBackend.h"

namespace {

std::atomic<CSocketsLayer*> g_layer{nullptr};

CSocketsLayer& Layer()
{
    CSocketsLayer* layer = g_layer.load();
    return layer ? *layer : SystemSockets();
}

} // namespace

CSocketsLayer* CSocketsLayer::Install(CSocketsLayer* layer)
{
    return g_layer.exchange(layer);
}

int WSAStartup(WORD requested, WSADATA* data)
{
    return Layer().Startup(requested, data);
}

HOSTENT* gethostbyname(const char* name)
{
    return Layer().LookUp(name);
}

int WSACleanup()
{
    return Layer().Cleanup();
}
