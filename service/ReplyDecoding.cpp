// The decoding steps of a reply, in the order the service protocol fixes.
#include "service/ReplyDecoding.h"

#include "service/XmlText.h"

namespace service {
namespace {

// One pass into a new string: replacing in place would move the tail once per hit, which made a
// 100000-name catalogue take minutes to decode.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    std::size_t at = text.find(from);
    if (at == std::string::npos)
        return;
    std::string result;
    result.reserve(text.size());
    std::size_t done = 0;
    for (; at != std::string::npos; at = text.find(from, done)) {
        result.append(text, done, at - done);
        result += to;
        done = at + from.size();
    }
    result.append(text, done, std::string::npos);
    text = std::move(result);
}

} // namespace

std::string ReadReplyBody(const LineReader& readLine)
{
    std::string reply;
    std::string line;
    readLine(line);
    reply = line;
    while (!line.empty()) {
        line.clear();
        readLine(line);
        reply += line;
    }
    return reply;
}

DecodedReply DecodeReply(std::string reply)
{
    DecodedReply result;
    ReplaceAll(reply, "&lt;", "<");
    ReplaceAll(reply, "&gt;", ">");
    if (reply.empty())
        return result;

    // Everything up to the wrapper marker, the marker and the 3 characters after it go.
    const std::size_t marker = reply.find("OLVServerCall");
    const std::size_t keepFrom = marker == std::string::npos ? 15 : marker + 16;
    reply = keepFrom < reply.size() ? reply.substr(keepFrom) : std::string();

    const std::size_t close = reply.find("</string>");
    if (close != std::string::npos)
        reply.erase(close, 9);
    else if (reply.size() >= 9)
        reply.erase(0, 9);

    result.rc = XmlValue(reply, "rc", "Read", "");
    result.rm = XmlValue(reply, "rm", "Read", "");
    result.outcome = result.rc == "0" ? DecodedReply::Outcome::Text : DecodedReply::Outcome::ServiceError;
    result.text = std::move(reply);
    return result;
}

std::string ServiceErrorText(const DecodedReply& reply)
{
    return "Error " + reply.rc + ": " + reply.rm;
}

} // namespace service
