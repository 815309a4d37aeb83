// The sockets layer's types and the seam through which tests stand in for it.
#pragma once

#include "platform/core/WinDefs.h"

#ifdef _WIN32
#include <winsock2.h>

using HOSTENT = hostent;
#else

constexpr WORD MAKEWORD(unsigned low, unsigned high)
{
    return static_cast<WORD>((low & 0xFF) | ((high & 0xFF) << 8));
}
constexpr unsigned LOBYTE(WORD w)
{
    return w & 0xFF;
}
constexpr unsigned HIBYTE(WORD w)
{
    return (w >> 8) & 0xFF;
}

inline constexpr int SOCKET_ERROR = -1;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;

struct WSADATA
{
    WORD wVersion = 0;     // granted
    WORD wHighVersion = 0; // highest supported
    char szDescription[257] = {};
    char szSystemStatus[129] = {};
    unsigned short iMaxSockets = 0;
    unsigned short iMaxUdpDg = 0;
    char* lpVendorInfo = nullptr;
};

// Result of a lookup; valid until the next lookup on the same thread.
struct HOSTENT
{
    char* h_name = nullptr;
    char** h_aliases = nullptr;
    short h_addrtype = 0;
    short h_length = 0;
    char** h_addr_list = nullptr; // null-terminated
};
#endif

// The layer behind WSAStartup, gethostbyname and WSACleanup (WinSock.h). The system's answers with
// getaddrinfo and grants versions 1.0 up to 2.2; tests install a stand-in to dictate versions and lookup
// results.
class CSocketsLayer
{
public:
    virtual ~CSocketsLayer() = default;
    virtual int Startup(WORD requested, WSADATA* data) = 0;
    virtual HOSTENT* LookUp(const char* name) = 0;
    virtual int Cleanup() = 0;

    // Makes layer the one in force (null: the system's again) and returns the one before.
    // The caller keeps ownership and must restore the previous layer before destroying it.
    static CSocketsLayer* Install(CSocketsLayer* layer);
};

// Installs a stand-in for one scope.
class CScopedSocketsLayer
{
public:
    explicit CScopedSocketsLayer(CSocketsLayer& layer) : m_previous(CSocketsLayer::Install(&layer)) {}
    ~CScopedSocketsLayer() { CSocketsLayer::Install(m_previous); }
    CScopedSocketsLayer(const CScopedSocketsLayer&) = delete;
    CScopedSocketsLayer& operator=(const CScopedSocketsLayer&) = delete;

private:
    CSocketsLayer* m_previous;
};
