// An internet session: agent, proxy access and timeouts shared by the connections made from it.
#pragma once

#include <memory>
#include <string>

#include "platform/inet/CHttpConnection.h"
#include "platform/inet/InternetTypes.h"

namespace inet {
struct SessionSettings;
}

class CInternetSession
{
public:
    // agent nullptr: the application's name. accessType INTERNET_OPEN_TYPE_PROXY takes its proxy from
    // proxyName (see inet::HttpProxyFromList); bypass lists are not supported and must be null or empty.
    // Throws CInternetException(ERROR_INVALID_PARAMETER) when the proxy list names no usable proxy.
    explicit CInternetSession(const char* agent = nullptr, DWORD context = 1,
                              DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG,
                              const char* proxyName = nullptr, const char* proxyBypass = nullptr,
                              DWORD flags = 0);
    ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    // INTERNET_OPTION_RECEIVE_TIMEOUT or INTERNET_OPTION_CONNECT_TIMEOUT in milliseconds (0: no limit);
    // false for any other option. Applies to requests opened afterwards.
    bool SetOption(DWORD option, DWORD value);

    // server: a host name or address, optionally with ":port"; port 0 keeps that port (or 80).
    // User and password are not supported and must be null. Throws CInternetException
    // (ERROR_INTERNET_INVALID_URL) for a server text that cannot name a host; no network traffic.
    std::unique_ptr<CHttpConnection> GetHttpConnection(const std::string& server,
                                                       INTERNET_PORT port = INTERNET_INVALID_PORT_NUMBER,
                                                       const char* user = nullptr,
                                                       const char* password = nullptr);

    void Close();

private:
    std::unique_ptr<inet::SessionSettings> m_settings;
    DWORD m_context;
};
