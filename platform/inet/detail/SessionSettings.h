// What a session hands down to its connections and requests (internal to the internet layer).
#pragma once

#include <string>

#include "platform/inet/InternetTypes.h"

namespace inet {

// Without a receive timeout option the layer still gives up on a silent peer after this long.
constexpr DWORD kDefaultReceiveTimeoutMs = 60000;
constexpr DWORD kDefaultConnectTimeoutMs = 60000;

struct SessionSettings
{
    std::string agent;
    DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG;
    std::string proxy; // "host:port" when accessType is INTERNET_OPEN_TYPE_PROXY
    DWORD receiveTimeoutMs = kDefaultReceiveTimeoutMs;
    DWORD connectTimeoutMs = kDefaultConnectTimeoutMs;
};

} // namespace inet
