// What a request holds on either system: where it goes, the options set on it, what it presented to a
// named proxy, and the received body not yet read. Each backend adds its transfer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "platform/inet/CInternetException.h"
#include "platform/inet/InternetErrors.h"
#include "platform/inet/ProxyCredentialCache.h"
#include "platform/inet/detail/SessionSettings.h"

namespace inet {

struct RequestState
{
    SessionSettings settings;
    std::string verb;
    std::string url;
    DWORD flags = 0;
    std::string proxyUser;
    std::string proxyPassword;
    bool haveProxyUser = false;
    bool haveProxyPassword = false;
    std::optional<ProxyCredentials> sentToProxy; // what the current exchange presented to a named proxy
    bool closed = false;

    std::string body; // received, not yet read: body[bodyPos, end)
    std::size_t bodyPos = 0;

    virtual ~RequestState() = default;

    // Makes body bytes available; false at the clean end of the body.
    virtual bool Fill() = 0;
    // Lets go of the transfer.
    virtual void Release() = 0;

    void Start(const SessionSettings& sessionSettings, std::string requestVerb, std::string requestUrl,
               DWORD requestFlags)
    {
        settings = sessionSettings;
        verb = std::move(requestVerb);
        url = std::move(requestUrl);
        flags = requestFlags;
    }

    std::size_t Buffered() const { return body.size() - bodyPos; }

    void CheckOpen() const
    {
        if (closed)
            throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    }

    // A send may go ahead: the request is open and asks for nothing the layer does not carry (extra
    // headers, a body).
    void CheckSend(const char* headers, DWORD headersLength, const void* optional, DWORD optionalLength) const
    {
        CheckOpen();
        if ((headers && headersLength) || (optional && optionalLength))
            throw CInternetException(ERROR_INVALID_PARAMETER);
    }

    // The credentials the next exchange presents, and records in sentToProxy when the session names a
    // proxy: those set on the request, else (through a named proxy) the ones it accepted earlier.
    std::optional<ProxyCredentials> ChooseCredentials()
    {
        std::optional<ProxyCredentials> own;
        if (haveProxyUser || haveProxyPassword)
            own = ProxyCredentials{proxyUser, proxyPassword};
        sentToProxy.reset();
        if (settings.accessType != INTERNET_OPEN_TYPE_PROXY)
            return own;
        sentToProxy = ProcessProxyCredentials().Presented(settings.proxy, own);
        return sentToProxy;
    }

    // The proxy's answer to what was presented to it teaches the process's cache.
    void LearnFromProxy(DWORD status) const
    {
        if (sentToProxy)
            ProcessProxyCredentials().Learn(settings.proxy, *sentToProxy, status);
    }
};

} // namespace inet
