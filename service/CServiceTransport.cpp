// The service exchange: settings key, session, connection, request, 407 login, status and reply.
#include "service/CServiceTransport.h"

#include <memory>
#include <new>

#include "platform/inet/CInternetException.h"
#include "platform/inet/CInternetSession.h"
#include "service/InternetSettingsKey.h"
#include "service/ReplyDecoding.h"
#include "service/ServiceRequest.h"
#include "service/ServiceTexts.h"

namespace service {
namespace {

constexpr DWORD kServiceRequestFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION;

} // namespace

CServiceTransport::CServiceTransport(std::string host, std::string& proxyUser, std::string& proxyPassword,
                                     IServiceUi& ui)
    : m_host(std::move(host)), m_proxyUser(proxyUser), m_proxyPassword(proxyPassword), m_ui(ui)
{
}

ServiceOutcome CServiceTransport::Fail(const std::string& text, const char* caption, bool exclamation)
{
    m_ui.ShowMessage(text, caption, exclamation);
    return ServiceOutcome{};
}

ServiceOutcome CServiceTransport::Exchange(const std::string& request)
{
    const std::string object = kServicePath + request;
    CInternetSettingsKey key;
    const bool proxied = key.ProxyEnable() == 1;

    // Declared in this order so that the request goes first, then the connection, then the session.
    std::unique_ptr<CInternetSession> session;
    std::unique_ptr<CHttpConnection> connection;
    std::unique_ptr<CHttpFile> file;
    if (proxied) {
        const std::string proxyList = key.ProxyServer();
        session = std::make_unique<CInternetSession>(nullptr, 1, INTERNET_OPEN_TYPE_PROXY, proxyList.c_str(),
                                                     nullptr);
    } else {
        session = std::make_unique<CInternetSession>(nullptr, 1, INTERNET_OPEN_TYPE_PRECONFIG);
        session->SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, m_receiveTimeoutMs);
    }

    try {
        connection = session->GetHttpConnection(m_host, INTERNET_INVALID_PORT_NUMBER);
    } catch (const CInternetException& e) {
        return Fail(FormatNumber(kConnectFailed, e.m_dwError), kCaptionConnectionProblem);
    }
    try {
        file = connection->OpenRequest("GET", object, nullptr, 1, nullptr, nullptr, kServiceRequestFlags);
    } catch (const CInternetException& e) {
        return Fail(FormatNumber(kOpenRequestFailed, e.m_dwError), kCaptionConnectionProblem);
    }

    DWORD status = HTTP_STATUS_OK;
    if (!proxied) {
        try {
            file->SendRequest();
        } catch (const CInternetException& e) {
            return Fail(FormatNumber(kDirectSendFailed, e.m_dwError), kCaptionConnectionProblem);
        }
        file->QueryInfoStatusCode(status);
    } else {
        try {
            file->SendRequest();
        } catch (const CInternetException& e) {
            return Fail(FormatNumber(kProxiedSendFailed, e.m_dwError), kCaptionConnectionProblem);
        }
        file->QueryInfoStatusCode(status);
        if (status == HTTP_STATUS_PROXY_AUTH_REQ) {
            if (m_proxyUser.empty()) {
                std::string user;
                std::string password;
                if (!m_ui.AskProxyCredentials(user, password))
                    return ServiceOutcome{ServiceOutcome::Kind::Cancelled, {}};
                m_proxyUser = user;
                m_proxyPassword = password;
            }
            if (!file->SetOption(INTERNET_OPTION_PROXY_USERNAME, m_proxyUser.c_str(),
                                 static_cast<DWORD>(m_proxyUser.size() + 1)))
                m_ui.ShowMessage(kProxyUserRefused, nullptr, true);
            if (!file->SetOption(INTERNET_OPTION_PROXY_PASSWORD, m_proxyPassword.c_str(),
                                 static_cast<DWORD>(m_proxyPassword.size() + 1)))
                m_ui.ShowMessage(kProxyPasswordRefused, nullptr, true);
            try {
                file->SendRequest();
            } catch (const CInternetException& e) {
                return Fail(FormatNumber(kAuthenticatedSendFailed, e.m_dwError), kCaptionConnectionProblem);
            }
            file->QueryInfoStatusCode(status);
            if (status == HTTP_STATUS_PROXY_AUTH_REQ)
                return Fail(kProxyRejected, kCaptionConnectionProblem);
        }
    }
    key.Close();

    if (status == HTTP_STATUS_OK) {
        DecodedReply reply;
        try {
            reply = DecodeReply(ReadReplyBody([&](std::string& line) { return file->ReadString(line); }));
        } catch (const CException& e) {
            return Fail(e.GetErrorMessage().substr(0, 254), kCaptionConnectionProblem);
        } catch (const std::bad_alloc& e) {
            return Fail(std::string(e.what()).substr(0, 254), kCaptionConnectionProblem);
        }
        switch (reply.outcome) {
        case DecodedReply::Outcome::Empty:
            return Fail(kNothingReturned, kCaptionServiceProblem);
        case DecodedReply::Outcome::ServiceError:
            return Fail(ServiceErrorText(reply), nullptr);
        case DecodedReply::Outcome::Text:
            return ServiceOutcome{ServiceOutcome::Kind::Reply, std::move(reply.text)};
        }
    }

    if (status == HTTP_STATUS_MOVED || status == HTTP_STATUS_REDIRECT ||
        status == HTTP_STATUS_REDIRECT_METHOD) {
        // The layer follows redirects; one that arrives here has no usable location or loops, so the
        // call reports it instead of chasing it.
        std::string headers;
        file->QueryInfo(HTTP_QUERY_RAW_HEADERS_CRLF, headers);
        if (headers.find("Location: ") == std::string::npos)
            return Fail(kRedirectWithoutLocation, nullptr, true);
    }
    return Fail(FormatNumber(kWebProcessingError, status), kCaptionConnectionProblem);
}

} // namespace service
