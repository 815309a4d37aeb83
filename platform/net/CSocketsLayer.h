// The sockets layer's types and the seam through which tests stand in for it.
#pragma once

#include "platform/core/WinDefs.h"

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
