// Whether this computer can reach the internet: a host-name lookup through the sockets layer.
#pragma once

#include <string>

namespace velmora {

// Starts the sockets layer at version 2.2, looks host up and releases the layer on every path.
// False only when the layer does not start or grants another version; a lookup that fails still
// counts as connected, so that an unreachable name server never hides the service: its own call
// then reports the real failure.
bool ProbeHost(const std::string& host);

} // namespace velmora
