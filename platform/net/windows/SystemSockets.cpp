// The system's sockets layer on Windows: ws2_32 itself.
#include "platform/net/detail/NetBackend.h"

namespace {

class CSystemSockets : public CSocketsLayer
{
public:
    int Startup(WORD requested, WSADATA* data) override { return ::WSAStartup(requested, data); }
    HOSTENT* LookUp(const char* name) override { return ::gethostbyname(name); }
    int Cleanup() override { return ::WSACleanup(); }
};

} // namespace

CSocketsLayer& SystemSockets()
{
    static CSystemSockets system;
    return system;
}
