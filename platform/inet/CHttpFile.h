// One HTTP request and its response: send (again), status, raw headers, streamed line and block reads.
#pragma once

#include <memory>
#include <string>

#include "platform/inet/InternetTypes.h"

namespace inet {
struct RequestState;
struct SessionSettings;
} // namespace inet

// The body streams: the layer holds at most a small window of it (kBodyWindow bytes) and lets the peer
// wait until the reader has taken them. Redirects are followed by the layer; a redirect that is not
// followed (no usable location, a loop) reaches the caller as its status with its headers. The layer
// answers no proxy challenge itself (a 407 reaches the caller), but a request without credentials of
// its own presents those the proxy accepted earlier in the process (inet::ProcessProxyCredentials).
// Every failure of the exchange raises CInternetException with an internet error code.
class CHttpFile
{
public:
    static constexpr std::size_t kBodyWindow = 64 * 1024;

    ~CHttpFile();
    CHttpFile(const CHttpFile&) = delete;
    CHttpFile& operator=(const CHttpFile&) = delete;

    // Sends the request and returns once the response headers are in (or the response is over).
    // Sending again starts a new exchange with the same request and its current options; whatever was
    // left of the previous body is dropped. Extra headers and a body are not supported.
    void SendRequest(const char* headers = nullptr, DWORD headersLength = 0, const void* optional = nullptr,
                     DWORD optionalLength = 0);

    // The status of the last send. false, and status left as it was, when there is none to read
    // (nothing sent yet, or a reply without a status line).
    bool QueryInfoStatusCode(DWORD& status) const;

    // HTTP_QUERY_RAW_HEADERS_CRLF: the status line and every header of the final response, each line
    // ended by CRLF, then an empty line. HTTP_QUERY_STATUS_CODE: the status as decimal text.
    bool QueryInfo(DWORD infoLevel, std::string& value) const;

    // INTERNET_OPTION_PROXY_USERNAME / _PASSWORD: value is text of length bytes (a terminating zero may be
    // counted), used from the next send on instead of the cached ones; the proxy's answer decides whether
    // they are cached (ProxyCredentialCache.h). Refused (false) when the value cannot travel in Basic
    // authentication: a control character in either, a ':' in the user name. INTERNET_OPTION_RECEIVE_TIMEOUT
    // takes a DWORD. Any other option is refused.
    bool SetOption(DWORD option, const void* value, DWORD length);

    // Next body line without its "\n" or "\r\n"; a last line without a line feed counts. At the end of
    // the body: false and an empty line.
    bool ReadString(std::string& line);

    // Up to count body bytes into buffer; 0 at the end of the body.
    UINT Read(void* buffer, UINT count);

    // Ends the exchange and releases the transfer; later calls raise ERROR_INTERNET_INCORRECT_HANDLE_STATE.
    void Close();

    const std::string& GetUrl() const;

private:
    friend class CHttpConnection;
    CHttpFile(const inet::SessionSettings& settings, std::string verb, std::string url, DWORD flags);

    // What both systems' requests hold: the backend's Impl is one.
    inet::RequestState& State() const;

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
