// Session set-up: the agent name, the proxy chosen from the access type, and the timeouts.
#include "platform/inet/CInternetSession.h"

#include <filesystem>

#include "platform/fs/ModulePath.h"
#include "platform/inet/CInternetException.h"
#include "platform/inet/RequestTarget.h"
#include "platform/inet/detail/SessionSettings.h"

namespace {

std::string ApplicationName()
{
    std::string path = ModuleFileName();
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos)
        path.erase(0, slash + 1);
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot > 0)
        path.erase(dot);
    return path;
}

} // namespace

CInternetSession::CInternetSession(const char* agent, DWORD context, DWORD accessType, const char* proxyName,
                                   const char* proxyBypass, DWORD /*flags*/)
    : m_settings(std::make_unique<inet::SessionSettings>()), m_context(context)
{
    m_settings->agent = agent ? agent : ApplicationName();
    m_settings->accessType = accessType;
    if (proxyBypass && *proxyBypass)
        throw CInternetException(ERROR_INVALID_PARAMETER);
    if (accessType == INTERNET_OPEN_TYPE_PROXY) {
        const auto proxy = inet::HttpProxyFromList(proxyName ? proxyName : "");
        if (!proxy)
            throw CInternetException(ERROR_INVALID_PARAMETER);
        m_settings->proxy = *proxy;
    } else if (accessType != INTERNET_OPEN_TYPE_PRECONFIG && accessType != INTERNET_OPEN_TYPE_DIRECT) {
        throw CInternetException(ERROR_INVALID_PARAMETER);
    }
}

CInternetSession::~CInternetSession() = default;

bool CInternetSession::SetOption(DWORD option, DWORD value)
{
    switch (option) {
    case INTERNET_OPTION_RECEIVE_TIMEOUT:
        m_settings->receiveTimeoutMs = value;
        return true;
    case INTERNET_OPTION_CONNECT_TIMEOUT:
        m_settings->connectTimeoutMs = value;
        return true;
    default:
        return false;
    }
}

std::unique_ptr<CHttpConnection> CInternetSession::GetHttpConnection(const std::string& server,
                                                                     INTERNET_PORT port, const char* user,
                                                                     const char* password)
{
    if ((user && *user) || (password && *password))
        throw CInternetException(ERROR_INVALID_PARAMETER);
    const auto authority = inet::ServerAuthority(server, port);
    if (!authority)
        throw CInternetException(ERROR_INTERNET_INVALID_URL);
    return std::unique_ptr<CHttpConnection>(new CHttpConnection(*m_settings, *authority, m_context));
}

void CInternetSession::Close() {}
