// Text helpers of the internet layer: wire form of a request target, proxy lists, server names.
#pragma once

#include <optional>
#include <string>

#include "platform/inet/InternetTypes.h"

namespace inet {

// Percent-encodes only the bytes a request target cannot carry raw: controls, space, '"', '#', '%',
// '<', '>', '\', '^', '`', '{', '|', '}', DEL and bytes above 0x7E. Everything else goes out as given,
// so the peer decodes exactly the text the program composed.
std::string EncodeRequestTarget(const std::string& object);

// The "host:port" that serves plain HTTP in a proxy list: either one entry for every protocol
// ("host:port", several separated by ';' or blanks, the first wins) or the per-protocol form
// ("http=host:port;https=host:port"), where a "http=" entry wins over an entry without a protocol.
// A leading "http://" of an entry is dropped; a missing port means 80. nullopt: the list names none.
std::optional<std::string> HttpProxyFromList(const std::string& list);

// Checks a server name and an optional ":port" (or "[v6]:port") and returns "host:port" for a URL;
// a non-zero port argument replaces the port in the text. nullopt when the text cannot name a host.
std::optional<std::string> ServerAuthority(const std::string& server, INTERNET_PORT port);

} // namespace inet
