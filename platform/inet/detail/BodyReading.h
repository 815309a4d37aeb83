// Line and block reads over the part of a response body received and not yet handed out, and the
// check of proxy credentials: what both systems' requests share.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace inet {

// body[pos...] is received and not yet handed out; fill() receives more and is false at the end.
// A line ends at LF; a CR before it is dropped, as is one at the end of the body. False when nothing
// was left to read.
template <typename Fill>
bool ReadBodyLine(const std::string& body, std::size_t& pos, Fill fill, std::string& line)
{
    line.clear();
    bool any = false;
    while (fill()) {
        any = true;
        const char* start = body.data() + pos;
        const std::size_t available = body.size() - pos;
        const void* lf = std::memchr(start, '\n', available);
        if (lf) {
            const std::size_t n = static_cast<const char*>(lf) - start;
            line.append(start, n);
            pos += n + 1;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        line.append(start, available);
        pos += available;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

// Up to count bytes of what is received (receiving more only when nothing is left); 0 at the end.
template <typename Fill>
unsigned ReadBodyBlock(const std::string& body, std::size_t& pos, Fill fill, void* buffer, unsigned count)
{
    if (count == 0 || !fill())
        return 0;
    const std::size_t n = std::min<std::size_t>(count, body.size() - pos);
    std::memcpy(buffer, body.data() + pos, n);
    pos += n;
    return static_cast<unsigned>(n);
}

// Whether Basic authentication can carry the text as a proxy user name (no ':') or password: no
// control characters in either.
inline bool IsCarriableProxyCredential(const std::string& text, bool isUser)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return !isUser || text.find(':') == std::string::npos;
}

} // namespace inet
