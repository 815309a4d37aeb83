// The HOST[:PORT] form of the service's address.
#include "service/ServiceHost.h"

#include <charconv>
#include <string_view>

namespace service {

namespace {

bool ParsePort(std::string_view text, unsigned& port)
{
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535)
        return false;
    port = value;
    return true;
}

} // namespace

bool SplitHostPort(const std::string& text, std::string& host, unsigned& port)
{
    port = 0;
    if (text.empty())
        return false;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos || close == 1)
            return false;
        host = text.substr(1, close - 1);
        if (close + 1 == text.size())
            return true;
        return text[close + 1] == ':' && ParsePort(std::string_view(text).substr(close + 2), port);
    }
    const size_t colon = text.find(':');
    if (colon == std::string::npos) {
        host = text;
        return true;
    }
    if (colon == 0 || text.find(':', colon + 1) != std::string::npos)
        return false; // a bare IPv6 address needs brackets
    host = text.substr(0, colon);
    return ParsePort(std::string_view(text).substr(colon + 1), port);
}

} // namespace service
