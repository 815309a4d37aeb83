// The request on WinINet: one internet handle, connection and request per CHttpFile, body read on demand.
#include "platform/inet/CHttpFile.h"

#include <algorithm>
#include <cstring>

#include "platform/inet/detail/InetBackend.h"
#include "platform/inet/CInternetException.h"

namespace {

// The receive timeout as WinINet takes it: 0 (no limit here) is its largest value.
DWORD WinInetTimeout(DWORD milliseconds)
{
    return milliseconds == 0 ? 0xFFFFFFFF : milliseconds;
}

// The error of the failed call, in the numbers the Linux layer reports for the same event.
[[noreturn]] void ThrowLastError()
{
    DWORD error = GetLastError();
    if (error == WSAETIMEDOUT) // a stalled body under some WinINet builds
        error = ERROR_INTERNET_TIMEOUT;
    if (error == 0)
        error = ERROR_INTERNET_INTERNAL_ERROR;
    throw CInternetException(error);
}

struct Target
{
    std::string host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    std::string object;
};

// "http://host:port/object" as CHttpConnection composes it.
Target SplitUrl(const std::string& url)
{
    Target target;
    std::string rest = url.compare(0, 7, "http://") == 0 ? url.substr(7) : url;
    const size_t slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    target.object = slash == std::string::npos ? "/" : rest.substr(slash);
    const size_t bracket = authority.rfind(']');
    const size_t colon = authority.rfind(':');
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
        target.host = authority.substr(0, colon);
        target.port = static_cast<INTERNET_PORT>(std::stoul(authority.substr(colon + 1)));
    } else {
        target.host = authority;
    }
    if (target.host.size() > 2 && target.host.front() == '[' && target.host.back() == ']')
        target.host = target.host.substr(1, target.host.size() - 2);
    return target;
}

class CInternetHandle
{
public:
    CInternetHandle() = default;
    explicit CInternetHandle(HINTERNET handle) : m_handle(handle) {}
    ~CInternetHandle() { Reset(); }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;

    void Reset(HINTERNET handle = nullptr)
    {
        if (m_handle)
            InternetCloseHandle(m_handle);
        m_handle = handle;
    }
    HINTERNET Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    HINTERNET m_handle = nullptr;
};

} // namespace

struct CHttpFile::Impl : inet::RequestState
{
    // Released in reverse order: request, connection, internet.
    CInternetHandle internet;
    CInternetHandle connection;
    CInternetHandle request;
    bool sent = false;
    bool ended = false;

    void Release() override
    {
        request.Reset();
        connection.Reset();
        internet.Reset();
    }

    void Open()
    {
        if (request)
            return;
        const Target target = SplitUrl(url);
        const bool proxied = settings.accessType == INTERNET_OPEN_TYPE_PROXY;
        internet.Reset(InternetOpenA(settings.agent.c_str(), settings.accessType,
                                     proxied ? settings.proxy.c_str() : nullptr, nullptr, 0));
        if (!internet)
            ThrowLastError();
        DWORD connectTimeout = WinInetTimeout(settings.connectTimeoutMs);
        InternetSetOptionA(internet.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout,
                           sizeof connectTimeout);
        connection.Reset(InternetConnectA(internet.Get(), target.host.c_str(), target.port, nullptr, nullptr,
                                          INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection)
            ThrowLastError();
        const DWORD requestFlags = flags | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
        request.Reset(HttpOpenRequestA(connection.Get(), verb.c_str(), target.object.c_str(), nullptr,
                                       nullptr, nullptr, requestFlags, 0));
        if (!request)
            ThrowLastError();
    }

    void ApplyOptions()
    {
        // The timeout goes on the request: a session's receive timeout does not reach every WinINet build.
        DWORD timeout = WinInetTimeout(settings.receiveTimeoutMs);
        InternetSetOptionA(request.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
        // A login the proxy accepted earlier in the run goes with every request through it, as on Linux:
        // WinINet keeps a login only for the session it was given to.
        std::optional<inet::ProxyCredentials> presented = ChooseCredentials();
        if (!presented)
            return;
        InternetSetOptionA(request.Get(), INTERNET_OPTION_PROXY_USERNAME, presented->user.data(),
                           static_cast<DWORD>(presented->user.size() + 1));
        InternetSetOptionA(request.Get(), INTERNET_OPTION_PROXY_PASSWORD, presented->password.data(),
                           static_cast<DWORD>(presented->password.size() + 1));
    }

    bool Fill() override
    {
        CheckOpen();
        if (!sent)
            throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
        if (Buffered() > 0)
            return true;
        if (ended)
            return false;
        body.clear();
        bodyPos = 0;
        body.resize(16 * 1024);
        DWORD got = 0;
        if (!InternetReadFile(request.Get(), body.data(), static_cast<DWORD>(body.size()), &got)) {
            body.clear();
            ThrowLastError();
        }
        body.resize(got);
        if (got == 0)
            ended = true;
        return got > 0;
    }
};

CHttpFile::CHttpFile(const inet::SessionSettings& settings, std::string verb, std::string url, DWORD flags)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->Start(settings, std::move(verb), std::move(url), flags);
}

CHttpFile::~CHttpFile() = default;

void CHttpFile::SendRequest(const char* headers, DWORD headersLength, const void* optional,
                            DWORD optionalLength)
{
    m_impl->CheckSend(headers, headersLength, optional, optionalLength);
    m_impl->Open();
    m_impl->ApplyOptions();
    m_impl->sent = false;
    m_impl->ended = false;
    m_impl->body.clear();
    m_impl->bodyPos = 0;
    if (!HttpSendRequestA(m_impl->request.Get(), nullptr, 0, nullptr, 0))
        ThrowLastError();
    m_impl->sent = true;
    DWORD status = 0;
    QueryInfoStatusCode(status);
    m_impl->LearnFromProxy(status);
}

bool CHttpFile::QueryInfoStatusCode(DWORD& status) const
{
    if (m_impl->closed || !m_impl->sent)
        return false;
    DWORD code = 0;
    DWORD size = sizeof code;
    if (!HttpQueryInfoA(m_impl->request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size,
                        nullptr) ||
        code == 0)
        return false;
    status = code;
    return true;
}

bool CHttpFile::QueryInfo(DWORD infoLevel, std::string& value) const
{
    if (m_impl->closed || !m_impl->sent)
        return false;
    if (infoLevel != HTTP_QUERY_RAW_HEADERS_CRLF && infoLevel != HTTP_QUERY_STATUS_CODE)
        return false;
    DWORD size = 0;
    HttpQueryInfoA(m_impl->request.Get(), infoLevel, nullptr, &size, nullptr);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return false;
    std::string text(size, '\0');
    if (!HttpQueryInfoA(m_impl->request.Get(), infoLevel, text.data(), &size, nullptr))
        return false;
    text.resize(size);
    value = text;
    return true;
}

inet::RequestState& CHttpFile::State() const
{
    return *m_impl;
}
