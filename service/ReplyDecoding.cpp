// The decoding steps of a reply, in the order the service protocol fixes.
#include "service/ReplyDecoding.h"

#include "service/XmlText.h"

namespace service {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

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

}  // namespace service
