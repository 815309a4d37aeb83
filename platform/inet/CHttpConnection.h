// A connection to one HTTP server (host and port) from which requests are opened.
#pragma once

#include <memory>
#include <string>

#include "platform/inet/CHttpFile.h"
#include "platform/inet/InternetTypes.h"

namespace inet {
struct SessionSettings;
}

class CHttpConnection
{
public:
    ~CHttpConnection();
    CHttpConnection(const CHttpConnection&) = delete;
    CHttpConnection& operator=(const CHttpConnection&) = delete;

    // object: the path and query, with or without a leading '/', sent as EncodeRequestTarget gives it.
    // verb nullptr means "GET". Referrer, accept types and version are not supported and must be null.
    // flags: INTERNET_FLAG_RELOAD asks caches on the way not to answer (no-cache); the layer itself keeps
    // no cache, so NO_CACHE_WRITE, KEEP_CONNECTION and EXISTING_CONNECT need no action. No traffic yet.
    std::unique_ptr<CHttpFile> OpenRequest(const char* verb, const std::string& object,
                                           const char* referrer = nullptr, DWORD context = 1,
                                           const char** acceptTypes = nullptr, const char* version = nullptr,
                                           DWORD flags = 0);

    void Close();

    // "host:port" as used in URLs.
    const std::string& Authority() const { return m_authority; }

private:
    friend class CInternetSession;
    CHttpConnection(const inet::SessionSettings& settings, std::string authority, DWORD context);

    std::unique_ptr<inet::SessionSettings> m_settings;
    std::string m_authority;
    DWORD m_context;
};
