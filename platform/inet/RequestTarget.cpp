// Wire form of request targets, proxy list parsing and server name checks.
#include "platform/inet/RequestTarget.h"

#include <cctype>
#include <vector>

namespace inet {
namespace {

bool NeedsEscape(unsigned char c)
{
    if (c <= 0x20 || c >= 0x7F)
        return true;
    switch (c) {
    case '"':
    case '#':
    case '%':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return true;
    default:
        return false;
    }
}

std::vector<std::string> SplitList(const std::string& list)
{
    std::vector<std::string> entries;
    std::string current;
    for (char c : list) {
        if (c == ';' || std::isspace(static_cast<unsigned char>(c))) {
            if (!current.empty())
                entries.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        entries.push_back(current);
    return entries;
}

bool EqualsNoCase(const std::string& a, const char* b)
{
    std::string lower;
    for (char c : a)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == b;
}

bool AllDigits(const std::string& s)
{
    if (s.empty() || s.size() > 5)
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return std::stoul(s) <= 65535;
}

bool ValidHostName(const std::string& host)
{
    if (host.empty())
        return false;
    if (host.front() == '[')
        return host.size() > 2 && host.back() == ']' &&
               host.find_first_not_of("0123456789abcdefABCDEF:.", 1) == host.size() - 1;
    for (char c : host)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.' && c != '_')
            return false;
    return true;
}

} // namespace

std::string EncodeRequestTarget(const std::string& object)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(object.size());
    for (char ch : object) {
        const auto c = static_cast<unsigned char>(ch);
        if (NeedsEscape(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += ch;
        }
    }
    return out;
}

std::optional<std::string> HttpProxyFromList(const std::string& list)
{
    std::optional<std::string> anyProtocol;
    std::optional<std::string> http;
    for (const std::string& entry : SplitList(list)) {
        const std::size_t eq = entry.find('=');
        if (eq == std::string::npos) {
            if (!anyProtocol)
                anyProtocol = entry;
        } else if (!http && EqualsNoCase(entry.substr(0, eq), "http")) {
            http = entry.substr(eq + 1);
        }
    }
    std::optional<std::string> chosen = http ? http : anyProtocol;
    if (!chosen)
        return std::nullopt;
    std::string server = *chosen;
    if (server.size() > 7 && EqualsNoCase(server.substr(0, 7), "http://"))
        server.erase(0, 7);
    while (!server.empty() && server.back() == '/')
        server.pop_back();
    return ServerAuthority(server, INTERNET_INVALID_PORT_NUMBER);
}

std::optional<std::string> ServerAuthority(const std::string& server, INTERNET_PORT port)
{
    std::string host = server;
    std::string rest;
    if (!server.empty() && server.front() == '[') {
        const std::size_t close = server.find(']');
        if (close == std::string::npos)
            return std::nullopt;
        host = server.substr(0, close + 1);
        rest = server.substr(close + 1);
    } else if (const std::size_t colon = server.find(':'); colon != std::string::npos) {
        host = server.substr(0, colon);
        rest = server.substr(colon);
    }
    std::string portText;
    if (!rest.empty()) {
        portText = rest.substr(1);
        if (rest.front() != ':' || !AllDigits(portText) || std::stoul(portText) == 0)
            return std::nullopt;
    }
    if (!ValidHostName(host))
        return std::nullopt;
    if (port != INTERNET_INVALID_PORT_NUMBER)
        portText = std::to_string(port);
    if (portText.empty())
        portText = std::to_string(INTERNET_DEFAULT_HTTP_PORT);
    return host + ":" + portText;
}

} // namespace inet
