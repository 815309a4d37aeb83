// What net/linux/ and net/windows/ must each define: the sockets layer's backend contract (internal).
#pragma once

#include "platform/net/CSocketsLayer.h"

// The operating system's own sockets layer, the one in force unless a test installs a stand-in: one
// instance for the process that counts its start-ups as the system does (getaddrinfo on Linux, ws2_32 on
// Windows). The shared WinSock.cpp routes WSAStartup, gethostbyname and WSACleanup to it.
CSocketsLayer& SystemSockets();
