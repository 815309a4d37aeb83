// Opening requests on a connection: builds the URL from the authority and the encoded object.
#include "platform/inet/CHttpConnection.h"

#include "platform/inet/CInternetException.h"
#include "platform/inet/RequestTarget.h"
#include "platform/inet/detail/SessionSettings.h"

CHttpConnection::CHttpConnection(const inet::SessionSettings& settings, std::string authority, DWORD context)
    : m_settings(std::make_unique<inet::SessionSettings>(settings)), m_authority(std::move(authority)),
      m_context(context)
{
}

CHttpConnection::~CHttpConnection() = default;

std::unique_ptr<CHttpFile> CHttpConnection::OpenRequest(const char* verb, const std::string& object,
                                                        const char* referrer, DWORD /*context*/,
                                                        const char** acceptTypes, const char* version,
                                                        DWORD flags)
{
    if (referrer || acceptTypes || version)
        throw CInternetException(ERROR_INVALID_PARAMETER);
    std::string path = object;
    if (path.empty() || path.front() != '/')
        path.insert(path.begin(), '/');
    const std::string url = "http://" + m_authority + inet::EncodeRequestTarget(path);
    return std::unique_ptr<CHttpFile>(new CHttpFile(*m_settings, verb ? verb : "GET", url, flags));
}

void CHttpConnection::Close() {}
