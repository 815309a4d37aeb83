// Where the name web service is: the default host and the HOST[:PORT] form every front end takes.
#pragma once

#include <string>

namespace service {

inline constexpr const char* kDefaultServiceHost = "127.0.0.1:8642";
// The maker's public web host, looked up by the connectivity probe.
inline constexpr const char* kDefaultProbeHost = "www.olvastine.example";

// Splits HOST[:PORT] ("[::1]:8642" for IPv6) into host and port; port 0 when none is given.
// False when the text is not of that form.
bool SplitHostPort(const std::string& text, std::string& host, unsigned& port);

} // namespace service
