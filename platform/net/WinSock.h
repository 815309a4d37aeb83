// The sockets start-up, blocking host lookup and clean-up the connectivity probe uses.
#pragma once

#include <cstdint>

using WORD = std::uint16_t;

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

// 0 on success (data filled), an error code otherwise. Every successful start needs a WSACleanup.
int WSAStartup(WORD requested, WSADATA* data);
// The address of a host name, or null when it does not resolve (or the layer is not started).
HOSTENT* gethostbyname(const char* name);
// 0, or SOCKET_ERROR when the layer was not started.
int WSACleanup();

// The layer behind the three calls above. The system's answers with getaddrinfo and grants
// versions 1.0 up to 2.2; tests install a stand-in to dictate versions and lookup results.
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
