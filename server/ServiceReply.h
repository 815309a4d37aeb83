// The reply text of an operation and the document that carries it to the client.
#pragma once

#include <string>
#include <string_view>

#include "server/ServiceStatus.h"

namespace servicereply {

// "<OLVServerCall ver="1.0"><rc>..</rc><rm>..</rm>" + elements + "</OLVServerCall>". The client
// skips the marker and the 3 characters after it (" ve"); what remains still opens with the
// attribute's rest, which nothing reads. message and elements are written as given.
std::string ReplyText(ServiceStatus status, std::string_view message, std::string_view elements = {});

// A reply text with the status's own message, followed by detail when it is not empty.
std::string StatusReply(ServiceStatus status, std::string_view detail = {});

// The HTTP body: an XML declaration line, then the "string" element holding the reply text with
// "<" and ">" escaped, on one line. The client reads lines until the first empty one and joins
// them without separators, so nothing may break that line; it decodes only "&lt;" and "&gt;", so
// every other character, the ampersand included, travels as it is.
std::string ReplyDocument(std::string_view replyText);

// A text from a request or a file name made fit to stand inside an element of the reply text:
// angle brackets and control characters are dropped, and an ampersand that would turn into an
// angle bracket after the client's decoding ("&lt;", "&gt;") is dropped too.
std::string Inert(std::string_view text);

} // namespace servicereply
