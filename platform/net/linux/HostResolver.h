// Name resolution through the C library, kept apart from WinSock.h whose names overlap netdb.h's.
#pragma once

#include <string>
#include <vector>

namespace hostresolver {

// Addresses of name in network byte order (4 bytes each: IPv4 only, as the lookup reports
// IPv4 hosts) and the canonical name; false when the name does not resolve.
bool Resolve(const std::string& name, std::string& canonical, std::vector<std::string>& addresses);

} // namespace hostresolver
