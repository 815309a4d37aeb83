// Turning the body of a service reply into the reply text: line reading, entity decoding, the cuts.
#pragma once

#include <functional>
#include <string>

namespace service {

// The line reader of a request: the next line without its ending; false and "" at the end of the body.
using LineReader = std::function<bool(std::string& line)>;

// The first line, then further lines appended without separator, up to and including the first empty
// one; an empty first line ends at once. A blank line inside the body therefore ends reading.
std::string ReadReplyBody(const LineReader& readLine);

struct DecodedReply
{
    enum class Outcome { Text, Empty, ServiceError };
    Outcome outcome = Outcome::Empty;
    std::string text; // the reply text (also filled for ServiceError)
    std::string rc;
    std::string rm;
};

// "&lt;" then "&gt;" decoded (nothing else); empty => Empty; the text from 16 characters after the
// first "OLVServerCall" (index 15 without a marker); the first "</string>" removed (without one, the
// first 9 characters, unless the text is shorter); rc and rm read; rc other than exactly "0" =>
// ServiceError. Never throws for any input but std::bad_alloc.
DecodedReply DecodeReply(std::string reply);

// "Error " + rc + ": " + rm, the text of the service-error box.
std::string ServiceErrorText(const DecodedReply& reply);

} // namespace service
