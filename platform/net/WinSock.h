// The sockets start-up, blocking host lookup and clean-up the connectivity probe uses.
#pragma once

// Declares gethostbyname as the program calls it, which clashes with <netdb.h>: a file that needs
// both the C library's resolver and the stand-in seam includes CSocketsLayer.h instead.
#include "platform/net/CSocketsLayer.h"

#ifdef _WIN32
// The SDK declares these calls too; the program's go through the seam under names of their own.
#define WSAStartup ZentrimoWSAStartup
#define gethostbyname ZentrimoGetHostByName
#define WSACleanup ZentrimoWSACleanup
#endif

// 0 on success (data filled), an error code otherwise. Every successful start needs a WSACleanup.
int WSAStartup(WORD requested, WSADATA* data);
// The address of a host name, or null when it does not resolve (or the layer is not started).
HOSTENT* gethostbyname(const char* name);
// 0, or SOCKET_ERROR when the layer was not started.
int WSACleanup();
