// One exchange with the web service: direct or proxied, the proxy login, every failure told to the user.
#pragma once

#include <string>

#include "platform/inet/InternetTypes.h"
#include "service/ServiceUi.h"

namespace service {

struct ServiceOutcome
{
    enum class Kind {
        Reply,    // replyText holds the decoded reply, rc "0"
        Failed,   // the user has been told
        Cancelled // the proxy login was cancelled; nothing shown
    };
    Kind kind = Kind::Failed;
    std::string replyText;
};

// The proxy credentials are the caller's (the main window keeps them for the whole run): filled by
// the first login, sent after every later 407, never cleared here. Once the proxy has accepted them the
// internet layer presents them by itself, so later exchanges (and downloads) pass at the first send.
// A failure to create the internet session (an unusable proxy list) is not reported here: the
// CInternetException travels out to the command's error report.
class CServiceTransport
{
public:
    static constexpr DWORD kReceiveTimeoutMs = 300000;

    CServiceTransport(std::string host, std::string& proxyUser, std::string& proxyPassword, IServiceUi& ui);

    // The direct path's receive timeout; the proxied path sets none.
    void SetReceiveTimeout(DWORD milliseconds) { m_receiveTimeoutMs = milliseconds; }

    // request: "ProcessReq?clientXMLString=" and an envelope; the service path goes in front.
    ServiceOutcome Exchange(const std::string& request);

private:
    ServiceOutcome Fail(const std::string& text, const char* caption, bool exclamation = false);

    std::string m_host;
    std::string& m_proxyUser;
    std::string& m_proxyPassword;
    IServiceUi& m_ui;
    DWORD m_receiveTimeoutMs = kReceiveTimeoutMs;
};

} // namespace service
