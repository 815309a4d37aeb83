// The operating system's own sockets layer, the one in force unless a test installs a stand-in.
#pragma once

#include "platform/net/CSocketsLayer.h"

// One instance for the process; it counts its start-ups as the system does.
CSocketsLayer& SystemSockets();
