// The client's documented handling of a reply body, applied step by step, for checking replies.
#pragma once

#include <string>

namespace clientdecoding {

// The element reader of the client: first opening tag, first closing tag (both searched from the
// start), "Value not found." when either is missing, "" for a negative length.
inline std::string XmlRead(const std::string& text, const std::string& tag)
{
    const std::string open = "<" + tag + ">";
    const std::string close = "</" + tag + ">";
    const size_t start = text.find(open);
    const size_t end = text.find(close);
    if (start == std::string::npos || end == std::string::npos)
        return "Value not found.";
    const long long contentStart = static_cast<long long>(start + tag.size() + 2);
    const long long length = static_cast<long long>(end) - contentStart;
    if (length <= 0)
        return "";
    return text.substr(static_cast<size_t>(contentStart), static_cast<size_t>(length));
}

struct Decoded
{
    std::string replyText; // what a successful call hands back
    std::string rc;
    std::string rm;
};

// Lines joined until the first empty one, "&lt;"/"&gt;" decoded, cut 16 characters after
// "OLVServerCall" (index 15 without the marker), the first "</string>" removed, rc and rm read.
inline Decoded Decode(const std::string& body)
{
    std::string reply;
    for (size_t pos = 0;;) {
        std::string line; // the end of the body reads as an empty line
        if (pos < body.size()) {
            size_t end = body.find('\n', pos);
            if (end == std::string::npos)
                end = body.size();
            line = body.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            pos = end + 1;
        }
        reply += line;
        if (line.empty())
            break;
    }
    for (size_t at; (at = reply.find("&lt;")) != std::string::npos;)
        reply.replace(at, 4, "<");
    for (size_t at; (at = reply.find("&gt;")) != std::string::npos;)
        reply.replace(at, 4, ">");
    Decoded decoded;
    if (reply.empty())
        return decoded;
    const size_t marker = reply.find("OLVServerCall");
    const long long cut = marker == std::string::npos ? 15 : static_cast<long long>(marker) + 16;
    reply = static_cast<size_t>(cut) < reply.size() ? reply.substr(static_cast<size_t>(cut)) : std::string();
    const size_t closing = reply.find("</string>");
    reply.erase(closing == std::string::npos ? 0 : closing, 9);
    decoded.replyText = reply;
    decoded.rc = XmlRead(reply, "rc");
    decoded.rm = XmlRead(reply, "rm");
    return decoded;
}

} // namespace clientdecoding
