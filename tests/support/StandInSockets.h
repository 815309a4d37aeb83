// A sockets layer that answers the connection probe without a network.
#pragma once

#include <functional>

#include "platform/net/CSocketsLayer.h"

// Grants 2.2 when connected, 1.1 otherwise; counts every call and can look around during a lookup.
struct StandInSockets : CSocketsLayer
{
    bool connected = true;
    int starts = 0, lookups = 0, cleanups = 0;
    std::function<void()> duringLookup;
    HOSTENT entry;

    int Startup(WORD, WSADATA* data) override
    {
        ++starts;
        data->wVersion = connected ? MAKEWORD(2, 2) : MAKEWORD(1, 1);
        return 0;
    }
    HOSTENT* LookUp(const char*) override
    {
        ++lookups;
        if (duringLookup)
            duringLookup();
        return &entry;
    }
    int Cleanup() override { return ++cleanups, 0; }
};
